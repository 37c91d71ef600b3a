// The root of the program's own classes: the Sender of every event. Below everything else, so
// that an event contract needs nothing of the stored forms to name its sender.
#pragma once

namespace larkwell {

class TObject {
 public:
  virtual ~TObject() = default;
  TObject(const TObject&) = delete;
  TObject& operator=(const TObject&) = delete;

 protected:
  TObject() = default;
};

}  // namespace larkwell
