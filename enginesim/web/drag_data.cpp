#include "enginesim/web/drag_data.h"

#include <array>
#include <string>
#include <vector>

#include "enginesim/core/sim_object.h"
#include "enginesim/web/web_support.h"

namespace larkwell::enginesim::web {
namespace {

enum Flag { kIsLink, kIsFragment, kIsFile, kFlagCount };
enum Text {
  kLinkUrl,
  kLinkTitle,
  kLinkMetadata,
  kFragmentText,
  kFragmentHtml,
  kFragmentBaseUrl,
  kFileExtension,
  kFileName,
  kTextCount
};

class SimDragData final : public SimObjectOf<TCefDragData> {
 public:
  explicit SimDragData(const TSimDragDataSetup& setup)
      : SimObjectOf("drag data"),
        flags_{setup.is_link != 0, setup.is_fragment != 0, setup.is_file != 0},
        texts_{from_utf8(setup.link_url),       from_utf8(setup.link_title),    from_utf8(setup.link_metadata),
               from_utf8(setup.fragment_text),  from_utf8(setup.fragment_html), from_utf8(setup.fragment_base_url),
               from_utf8(setup.file_extension), from_utf8(setup.file_name)},
        file_names_(read_list(setup.file_names, "sim_create_drag_data")),
        file_names_answer_(setup.file_names_answer) {
    TCefDragData* s = structure();
    s->is_link = entry<&SimDragData::flag<kIsLink>>;
    s->is_fragment = entry<&SimDragData::flag<kIsFragment>>;
    s->is_file = entry<&SimDragData::flag<kIsFile>>;
    s->get_link_url = entry<&SimDragData::text<kLinkUrl>>;
    s->get_link_title = entry<&SimDragData::text<kLinkTitle>>;
    s->get_link_metadata = entry<&SimDragData::text<kLinkMetadata>>;
    s->get_fragment_text = entry<&SimDragData::text<kFragmentText>>;
    s->get_fragment_html = entry<&SimDragData::text<kFragmentHtml>>;
    s->get_fragment_base_url = entry<&SimDragData::text<kFragmentBaseUrl>>;
    s->get_file_extension = entry<&SimDragData::text<kFileExtension>>;
    s->get_file_name = entry<&SimDragData::text<kFileName>>;
    s->get_file_names = entry<&SimDragData::get_file_names>;
  }

 private:
  template <Flag F>
  int flag() {
    return flags_[F] ? 1 : 0;
  }
  template <Text T>
  PCefStringUserFree text() {
    return userfree_text(texts_[T]);
  }
  // Appends the chosen names to the program's list and gives the chosen answer.
  int get_file_names(TCefStringList names) {
    append_to_list(names, file_names_, "drag data get_file_names");
    return file_names_answer_;
  }

  const std::array<bool, kFlagCount> flags_;
  const std::array<std::u16string, kTextCount> texts_;
  const std::vector<std::u16string> file_names_;
  const int file_names_answer_;
};

}  // namespace

TCefDragData* new_drag_data(const TSimDragDataSetup& setup) { return make_object<SimDragData>(setup)->structure(); }

}  // namespace larkwell::enginesim::web
