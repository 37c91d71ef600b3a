// The shape of every structure the program builds, and the client handing out its handlers to
// the engine.
#include <cstddef>
#include <cstring>

#include "tests/engine/handlers/handler_test.h"

namespace larkwell::handler_test {
namespace {

// The members sim_fire knows for structure `name`, in order.
std::vector<std::string> MembersOf(const std::string& name) {
  std::vector<std::string> members;
  for (int i = 0; const char* slot = sim_slot_name(i); ++i) {
    if (std::strncmp(slot, (name + ".").c_str(), name.size() + 1) == 0) members.push_back(slot);
  }
  return members;
}

TEST_F(HandlerTest, EveryStructureHasItsSizeAndEveryMemberFilledButTheRequestHandlersEighth) {
  const struct {
    const char* name;
    int members;
  } structures[] = {{"client", 14},        {"life_span_handler", 5}, {"load_handler", 3},     {"request_handler", 8},
                    {"display_handler", 7}, {"focus_handler", 3},     {"keyboard_handler", 1}, {"menu_handler", 3},
                    {"permission_handler", 1}, {"print_handler", 2},  {"find_handler", 1},     {"jsdialog_handler", 3},
                    {"v8context_handler", 2}, {"render_handler", 7},  {"drag_handler", 2},     {"download_handler", 2},
                    {"app", 2},               {"proxy_handler", 1},   {"resource_bundle_handler", 2}};
  for (const auto& s : structures) {
    SCOPED_TRACE(s.name);
    const TCefBase* structure = Family(std::string(s.name) + ".").second;
    const std::vector<std::string> members = MembersOf(s.name);
    ASSERT_EQ(members.size(), static_cast<size_t>(s.members));
    EXPECT_EQ(structure->size, sizeof(TCefBase) + members.size() * sizeof(void*));
    for (const std::string& member : members) {
      EXPECT_EQ(sim_slot_present(structure, member.c_str()), member == "request_handler.unused_member" ? 0 : 1)
          << member;
    }
  }
  Fired unused(o.request_handler->Data(), "request_handler.unused_member", {});
  EXPECT_EQ(unused.status(), SIM_FIRE_EMPTY_SLOT);
  EXPECT_EQ(offsetof(TCefClient, get_permission_handler), sizeof(TCefBase) + 7 * sizeof(void*));
}

struct GetterCase {
  const char* family;
  const char* getter;
  IPtr<ICefBase> handler;
};

TEST_F(HandlerTest, EachClientGetterHandsTheEngineItsHandlerWithOneMoreReferenceOrNull) {
  const GetterCase cases[] = {
      {"life_span", "GetLifeSpanHandler", o.life_span}, {"load", "GetLoadHandler", o.load},
      {"request", "GetRequestHandler", o.request_handler}, {"display", "GetDisplayHandler", o.display},
      {"focus", "GetFocusHandler", o.focus},             {"keyboard", "GetKeyboardHandler", o.keyboard},
      {"menu", "GetMenuHandler", o.menu},                {"permission", "GetPermissionHandler", o.permission},
      {"print", "GetPrintHandler", o.print},             {"find", "GetFindHandler", o.find},
      {"jsdialog", "GetJsdialogHandler", o.jsdialog},    {"v8context", "GetV8contextHandler", o.v8context},
      {"render", "GetRenderHandler", o.render},          {"drag", "GetDragHandler", o.drag}};
  auto* client = o.client->DataAs<TCefClient>();
  for (const GetterCase& c : cases) {
    SCOPED_TRACE(c.family);
    o.client->calls.clear();
    EXPECT_EQ(sim_client_get_handler(client, c.family), nullptr);  // the default answers no object
    EXPECT_EQ(o.client->calls, std::vector<std::string>{c.getter});

    o.client->handlers[c.getter] = c.handler;
    const int32_t count = StructureOf(c.handler)->get_refct(StructureOf(c.handler));
    EXPECT_EQ(sim_client_get_handler(client, c.family), StructureOf(c.handler));
    EXPECT_EQ(sim_get_refct(StructureOf(c.handler)), count + 1);
    EXPECT_EQ(sim_ledger_held_program_refs(), 2);  // the client and the handler
    EXPECT_EQ(sim_client_release_handlers(client, c.family), 1);
    EXPECT_EQ(sim_get_refct(StructureOf(c.handler)), count);
    o.client->handlers.erase(c.getter);
  }
  EXPECT_EQ(sim_client_release(client), 0);
}

TEST_F(HandlerTest, TheEngineHoldsEveryAnswerAndTheClientUntilItIsDoneWithTheClient) {
  auto* client = o.client->DataAs<TCefClient>();
  o.client->handlers["GetLoadHandler"] = o.load;
  o.client->handlers["GetDragHandler"] = o.drag;
  sim_client_get_handler(client, "load");
  sim_client_get_handler(client, "load");  // every question hands out a new reference
  sim_client_get_handler(client, "drag");
  EXPECT_EQ(o.load->RefCount(), 4);  // the test's, the client's and the engine's two
  o.client->handlers.clear();

  // The program lets go of everything; the engine's references keep the objects alive.
  TRecLoad* load = o.load.get();
  o.load.Reset();
  o.drag.Reset();
  o.client.Reset();
  EXPECT_EQ(load->RefCount(), 2);
  const int32_t live = CefBridgeLiveObjects();
  EXPECT_EQ(sim_client_release_handlers(client, "load"), 2);
  EXPECT_EQ(CefBridgeLiveObjects(), live - 1);  // the load handler went with the engine's last reference
  EXPECT_EQ(sim_client_release(client), 1);     // the drag handler, then the client itself
  EXPECT_EQ(CefBridgeLiveObjects(), live - 3);
}

TEST_F(HandlerTest, AThrowingGetterGivesTheEngineNoHandler) {
  auto* client = o.client->DataAs<TCefClient>();
  o.client->handlers["GetMenuHandler"] = o.menu;
  o.client->fail = true;
  EXPECT_EQ(sim_client_get_handler(client, "menu"), nullptr);
  EXPECT_EQ(CefReportedErrorCount(), 1);
  EXPECT_EQ(CefLastReportedErrorMessage(), u"GetMenuHandler failed");
  EXPECT_EQ(o.menu->RefCount(), 2);  // the test's and the client's: nothing went to the engine
  EXPECT_EQ(sim_client_release(client), 0);
}

}  // namespace
}  // namespace larkwell::handler_test
