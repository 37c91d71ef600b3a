#include "framework/forms/form_reader.h"

#include <string>
#include <vector>

#include "framework/forms/form_text.h"

namespace larkwell {

EFormError::EFormError(int line, const ustring& what)
    : Exception(u"Line " + Utf8ToUstring(std::to_string(line)) + u": " + what), line_(line) {}

namespace {

ustring Quoted(const ustring& name) { return u"\"" + name + u"\""; }

ustring JoinPath(const std::vector<ustring>& path) {
  ustring joined;
  for (const ustring& part : path) joined += (joined.empty() ? u"" : u".") + part;
  return joined;
}

}  // namespace

class TFormReader {
 public:
  TFormReader(TComponent& root, const TMethodTable& methods) : root_(root), methods_(methods) {}

  void Read(std::string_view text) {
    try {
      ReadLines(text);
    } catch (...) {
      for (auto it = created_.rbegin(); it != created_.rend(); ++it) root_.RemoveComponent(**it);
      root_.state_.Exclude(TComponentStateFlag::csLoading);
      throw;
    }
    for (TComponent* component : read_) component->Loaded();
  }

 private:
  struct OpenObject {
    TComponent* component;
    int line;
  };

  void ReadLines(std::string_view text) {
    if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
    int number = 0;
    for (size_t start = 0; start < text.size();) {
      const size_t end = text.find('\n', start);
      std::string_view line = text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
      if (line.ends_with('\r')) line.remove_suffix(1);
      line_ = ++number;
      ReadLine(line);
      if (end == std::string_view::npos) break;
      start = end + 1;
    }
    if (!open_.empty()) {
      const TComponent& unclosed = *open_.back().component;
      const ustring what = unclosed.Name().empty() ? unclosed.ClassName() : Quoted(unclosed.Name());
      throw EFormError(open_.back().line, u"object " + what + u" has no end");
    }
    if (read_.empty()) throw EFormError(number > 0 ? number : 1, u"the text describes no object");
  }

  void ReadLine(std::string_view text) {
    TFormLine line;
    try {
      line = ParseFormLine(text);
    } catch (const EFormValueError& error) {
      Fail(u"malformed line: " + error.Message());
    }
    if (line.Kind == TFormLine::TKind::kBlank) return;
    if (!read_.empty() && open_.empty()) Fail(u"text after the end of the form");
    switch (line.Kind) {
      case TFormLine::TKind::kObject:
        return BeginObject(line);
      case TFormLine::TKind::kEnd:
        if (open_.empty()) Fail(u"end without an object");
        open_.pop_back();
        return;
      case TFormLine::TKind::kProperty:
        return SetProperty(line);
      case TFormLine::TKind::kBlank:
        return;
    }
  }

  void BeginObject(const TFormLine& line) {
    TComponent* component = open_.empty() ? &RootFor(line) : &ChildFor(line);
    component->state_.Include(TComponentStateFlag::csLoading);
    read_.push_back(component);
    open_.push_back({component, line_});
  }

  TComponent& RootFor(const TFormLine& line) {
    const TClassInfo* described = &root_.ClassInfo();
    while (described && !SameName(described->Name(), line.ClassName)) described = described->Parent();
    if (!described) {
      if (!FindClass(line.ClassName)) Fail(u"unknown class " + Quoted(line.ClassName));
      Fail(u"the form describes a " + line.ClassName + u", not a " + root_.ClassName());
    }
    if (!line.Name.empty()) root_.SetName(line.Name);
    return root_;
  }

  TComponent& ChildFor(const TFormLine& line) {
    const TClassInfo* info = FindClass(line.ClassName);
    if (!info) Fail(u"unknown class " + Quoted(line.ClassName));
    if (!info->Creatable()) Fail(u"class " + line.ClassName + u" cannot be created by a form");
    if (!line.Name.empty() && root_.FindComponent(line.Name)) Fail(u"a second component named " + Quoted(line.Name));
    TComponent& child = root_.InsertComponent(info->Create());
    created_.push_back(&child);
    child.SetName(line.Name);
    child.SetParentComponent(open_.back().component);
    return child;
  }

  void SetProperty(const TFormLine& line) {
    if (open_.empty()) Fail(u"a property outside of any object");
    TPersistent* target = open_.back().component;
    const TPropertyInfo* property = nullptr;
    for (size_t i = 0; i < line.Path.size(); ++i) {
      if (i > 0) {
        target = property->SubObject(*target);
        if (!target) Fail(property->Name() + u" has no properties of its own");
      }
      property = target->ClassInfo().FindProperty(line.Path[i]);
      if (!property) {
        Fail(u"unknown property " + Quoted(JoinPath(line.Path)) + u" of " + open_.back().component->ClassName());
      }
    }
    try {
      property->Load(*target, line.Value, methods_);
    } catch (const EFormValueError& error) {
      Fail(u"bad value for " + JoinPath(line.Path) + u": " + error.Message());
    }
  }

  [[noreturn]] void Fail(const ustring& what) const { throw EFormError(line_, what); }

  TComponent& root_;
  const TMethodTable& methods_;
  int line_ = 0;
  std::vector<OpenObject> open_;      // the objects whose "end" is still to come, innermost last
  std::vector<TComponent*> read_;     // every object read, in order: the root first
  std::vector<TComponent*> created_;  // the children this reading created
};

void ReadForm(std::string_view text, TComponent& root, const TMethodTable& methods) {
  TFormReader(root, methods).Read(text);
}

}  // namespace larkwell
