// The wrappers of the engine's request, its post data and their elements, with the functions
// that ask the engine for new ones. Header maps cross as the engine's own multimap handles.
#pragma once

#include "engine/cef_call.h"
#include "engine/cef_interfaces.h"

namespace larkwell {

class TCefRequestRef : public TCefBaseRef, public ICefRequest {
 public:
  using TCefBaseRef::TCefBaseRef;
  // The wrapper of `data`, empty for null; takes over the reference that came with `data`.
  static IPtr<ICefRequest> UnWrap(void* data);
  // A new engine request (cef_request_create); empty when the engine answers null.
  static IPtr<ICefRequest> New();

  ustring GetUrl() override;
  ustring GetMethod() override;
  IPtr<ICefPostData> GetPostData() override;
  void GetHeaderMap(TCefStringMultimap headerMap) override;
  void SetUrl(const ustring& value) override;
  void SetMethod(const ustring& value) override;
  // Without an object the engine is not called: the request keeps its post data.
  void SetPostData(const IPtr<ICefPostData>& value) override;
  void SetHeaderMap(TCefStringMultimap headerMap) override;
  int GetFlags() override;
  void SetFlags(int flags) override;
  ustring GetFirstPartyForCookies() override;
  void SetFirstPartyForCookies(const ustring& url) override;
  void Assign(const ustring& url, const ustring& method, const IPtr<ICefPostData>& postData,
              TCefStringMultimap headerMap) override;
};
template <>
struct CefRefClass<ICefRequest> {
  using type = TCefRequestRef;
};

class TCefPostDataRef : public TCefBaseRef, public ICefPostData {
 public:
  using TCefBaseRef::TCefBaseRef;
  static IPtr<ICefPostData> UnWrap(void* data);
  // New engine post data (cef_post_data_create); empty when the engine answers null.
  static IPtr<ICefPostData> New();

  size_t GetCount() override;
  // As many elements as the engine filled in, never more than `count`.
  TCefPostDataElementArray GetElements(size_t count) override;
  int RemoveElement(const IPtr<ICefPostDataElement>& element) override;
  int AddElement(const IPtr<ICefPostDataElement>& element) override;
  void RemoveElements() override;
};
template <>
struct CefRefClass<ICefPostData> {
  using type = TCefPostDataRef;
};

class TCefPostDataElementRef : public TCefBaseRef, public ICefPostDataElement {
 public:
  using TCefBaseRef::TCefBaseRef;
  static IPtr<ICefPostDataElement> UnWrap(void* data);
  // A new engine element (cef_post_data_element_create); empty when the engine answers null.
  static IPtr<ICefPostDataElement> New();

  void SetToEmpty() override;
  void SetToFile(const ustring& fileName) override;
  void SetToBytes(size_t size, const void* bytes) override;
  TCefPostDataElementType GetType() override;
  ustring GetFile() override;
  size_t GetBytesCount() override;
  size_t GetBytes(size_t size, void* bytes) override;
};
template <>
struct CefRefClass<ICefPostDataElement> {
  using type = TCefPostDataElementRef;
};

}  // namespace larkwell
