#include "framework/forms/form_writer.h"

#include "framework/forms/form_text.h"

namespace larkwell {
namespace {

class FormWriter {
 public:
  explicit FormWriter(const TComponent& root) : root_(root) {}

  std::string Write() {
    WriteObject(root_, 0);
    return std::move(out_);
  }

 private:
  void WriteObject(const TComponent& object, int depth) {
    const std::string className = UstringToUtf8(object.ClassName());
    Line(depth, "object " + (object.Name().empty() ? className : UstringToUtf8(object.Name()) + ": " + className));
    WriteProperties(object, "", depth + 1);
    for (int i = 0; i < root_.ComponentCount(); ++i) {
      const TComponent& child = *root_.Components(i);
      const TComponent* parent = child.ParentComponent();
      if (parent == &object || (parent == nullptr && &object == &root_)) WriteObject(child, depth + 1);
    }
    Line(depth, "end");
  }

  void WriteProperties(const TPersistent& object, const std::string& prefix, int depth) {
    for (const TPropertyInfo* property : object.ClassInfo().Properties()) {
      const std::string path = prefix + UstringToUtf8(property->Name());
      if (const TPersistent* sub = property->SubObject(object)) {
        WriteProperties(*sub, path + ".", depth);
      } else if (auto value = property->StoredValue(object)) {
        Line(depth, path + " = " + FormatFormValue(*value));
      }
    }
  }

  void Line(int depth, const std::string& text) {
    out_.append(static_cast<size_t>(depth) * 2, ' ');
    out_ += text;
    out_ += '\n';
  }

  const TComponent& root_;
  std::string out_;
};

}  // namespace

std::string WriteForm(const TComponent& root) { return FormWriter(root).Write(); }

}  // namespace larkwell
