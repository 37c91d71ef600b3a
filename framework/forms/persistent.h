// The framework's root object class and the published surface that stored forms read and write.
//
// Every streamable class derives from TPersistent and describes itself once in a TClassInfo: its
// name, its parent class and its published properties in order (properties.h builds them). The
// form reader and writer (form_reader.h, form_writer.h) know nothing of any class beyond that.
#pragma once

#include <any>
#include <functional>
#include <memory>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

#include "core/object.h"
#include "core/ustring.h"
#include "framework/forms/form_values.h"

namespace larkwell {

class TComponent;
class TPersistent;

// The methods a form's owner offers to the event bindings of its stored form, by name. Each is
// kept as the exact event type it is registered with (a std::function or a function pointer),
// and binds only to events of that type.
class TMethodTable {
 public:
  template <class Event>
  TMethodTable& Add(ustring name, std::type_identity_t<Event> method) {
    methods_.emplace_back(std::move(name), std::any(std::move(method)));
    return *this;
  }
  // Registers the member function Method of `owner` as `name`, as an event of its own signature:
  // Bind<&TfrmMain::FormCreate>(u"FormCreate", this) serves an event of type
  // std::function<void(TObject*)>.
  template <auto Method, class Owner>
  TMethodTable& Bind(ustring name, Owner* owner) {
    return BindMember(std::move(name), owner, Method);
  }
  // The method registered as `name`, or null.
  const std::any* Find(std::u16string_view name) const noexcept;

 private:
  template <class Owner, class Class, class... Args>
  TMethodTable& BindMember(ustring name, Owner* owner, void (Class::*method)(Args...)) {
    Class* object = owner;
    return Add<std::function<void(Args...)>>(
        std::move(name), [object, method](Args... args) { (object->*method)(std::forward<Args>(args)...); });
  }

  std::vector<std::pair<ustring, std::any>> methods_;
};

// One published property. The concrete kinds (value, sub-object, event) live in properties.h.
class TPropertyInfo {
 public:
  explicit TPropertyInfo(ustring name) : name_(std::move(name)) {}
  virtual ~TPropertyInfo() = default;
  TPropertyInfo(const TPropertyInfo&) = delete;
  TPropertyInfo& operator=(const TPropertyInfo&) = delete;

  const ustring& Name() const noexcept { return name_; }

  // Sets the property of `target` from a stored value; throws EFormValueError when the value
  // does not fit (wrong kind, unknown name, out of range, read-only, unknown method).
  virtual void Load(TPersistent& target, const TFormValue& value, const TMethodTable& methods) const = 0;
  // The value to store for `source`, or nothing when it is left out (at its default, read-only,
  // an unbound event, or a sub-object).
  virtual std::optional<TFormValue> StoredValue(const TPersistent& source) const = 0;
  // For a sub-object property: the object whose properties are stored as "Name.Property".
  virtual TPersistent* SubObject(const TPersistent&) const { return nullptr; }

 private:
  ustring name_;
};

class TClassInfo {
 public:
  // Makes a new object of the class for the form reader; null for classes it cannot create.
  using TFactory = std::unique_ptr<TComponent> (*)();

  TClassInfo(ustring name, const TClassInfo* parent, TFactory factory,
             std::vector<std::unique_ptr<TPropertyInfo>> properties);

  const ustring& Name() const noexcept { return name_; }
  const TClassInfo* Parent() const noexcept { return parent_; }
  bool InheritsFrom(const TClassInfo& other) const noexcept;

  // The published property `name` of this class or an ancestor (the nearest class's), or null.
  const TPropertyInfo* FindProperty(std::u16string_view name) const noexcept;
  // Every published property, the root class's first, each class's in its declared order. A
  // class that publishes an inherited property again (with another default) replaces it in its
  // inherited place: every name comes once.
  std::vector<const TPropertyInfo*> Properties() const;

  // A new object, or null when the class cannot be created by a form.
  std::unique_ptr<TComponent> Create() const;
  bool Creatable() const noexcept { return factory_ != nullptr; }

 private:
  ustring name_;
  const TClassInfo* parent_;
  TFactory factory_;
  std::vector<std::unique_ptr<TPropertyInfo>> properties_;
};

// A streamable object: it has published properties and can be a sub-object of a stored form.
class TPersistent : public TObject {
 public:
  static const TClassInfo& StaticClassInfo();
  // Every class that publishes properties overrides this with its own StaticClassInfo().
  virtual const TClassInfo& ClassInfo() const { return StaticClassInfo(); }
  const ustring& ClassName() const { return ClassInfo().Name(); }
};

// Classes the form reader may create by name. Thread-safe; registering a name twice keeps the first.
void RegisterClass(const TClassInfo& info);
const TClassInfo* FindClass(std::u16string_view name) noexcept;

// Registers class C when the program starts: `inline const TClassRegistration<TChromium> kRegisterTChromium;`
template <class C>
struct TClassRegistration {
  TClassRegistration() { RegisterClass(C::StaticClassInfo()); }
};

}  // namespace larkwell
