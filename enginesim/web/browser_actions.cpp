#include "enginesim/web/browser_actions.h"

#include <string>
#include <utility>

namespace larkwell::enginesim::web {
namespace {

using Command = window::BrowserActions::Command;

class TreeActions final : public window::BrowserActions {
 public:
  explicit TreeActions(std::shared_ptr<FrameTree> tree) : tree_(std::move(tree)) {}

  void load_in_main_frame(const std::u16string& url) override {
    with_browser(tree_, [&](SimBrowser& browser) {
      TCefBrowser* self = browser.structure();
      TCefFrame* frame = self->get_main_frame(self);
      if (frame == nullptr) return;
      const TCefString url_record{const_cast<char16_t*>(url.data()), url.size(), nullptr};
      frame->load_url(frame, &url_record);
      frame->base.release(&frame->base);
    });
  }

  std::optional<bool> ask_menu_handler(TCefMenuInfo& info) override {
    std::optional<bool> answer;
    with_browser(tree_, [&](SimBrowser& browser) {
      using namespace fire_args;
      const TSimArg args[] = {Obj(browser.structure()), Ptr(&info)};
      firing::Record record(args, 2);
      browser.fire_at_client("menu_handler.on_before_menu", record);
      if (record.status() == SIM_FIRE_CALLED) answer = record.answer().number != 0;
    });
    return answer;
  }

  bool can(Command command) override {
    bool possible = false;
    with_browser(tree_, [&](SimBrowser& browser) {
      TCefBrowser* self = browser.structure();
      possible = command == Command::back      ? self->can_go_back(self) != 0
                 : command == Command::forward ? self->can_go_forward(self) != 0
                                               : true;
    });
    return possible;
  }

  void run(Command command) override {
    with_browser(tree_, [&](SimBrowser& browser) {
      TCefBrowser* self = browser.structure();
      switch (command) {
        case Command::back:
          self->go_back(self);
          break;
        case Command::forward:
          self->go_forward(self);
          break;
        case Command::reload:
          self->reload(self);
          break;
      }
    });
  }

 private:
  const std::shared_ptr<FrameTree> tree_;
};

}  // namespace

std::shared_ptr<window::BrowserActions> actions_for(std::shared_ptr<FrameTree> tree) {
  return std::make_shared<TreeActions>(std::move(tree));
}

}  // namespace larkwell::enginesim::web
