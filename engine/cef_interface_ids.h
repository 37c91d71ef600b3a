// Identifiers of the engine interfaces. Each interface class takes its IID from here.
#pragma once

#include "core/guid.h"

namespace larkwell {

inline constexpr TGUID IID_ICefBase = TGUID::Parse("{1F9A7B44-DCDC-4477-9180-3ADD44BDEB7B}");
inline constexpr TGUID IID_ICefBrowser = TGUID::Parse("{BA003C2E-CF15-458F-9D4A-FE3CEFCF3EEF}");
inline constexpr TGUID IID_ICefFrame = TGUID::Parse("{8FD3D3A6-EA3A-4A72-8501-0276BD5C3D1D}");
inline constexpr TGUID IID_ICefRequest = TGUID::Parse("{FB4718D3-7D13-4979-9F4C-D7F6C0EC592A}");
inline constexpr TGUID IID_ICefPostData = TGUID::Parse("{1E677630-9339-4732-BB99-D6FE4DE4AEC0}");
inline constexpr TGUID IID_ICefPostDataElement = TGUID::Parse("{3353D1B8-0300-4ADC-8D74-4FF31C77D13C}");
inline constexpr TGUID IID_ICefResponse = TGUID::Parse("{E9C896E4-59A8-4B96-AB5E-6EA3A498B7F1}");
inline constexpr TGUID IID_ICefStreamReader = TGUID::Parse("{DD5361CB-E558-49C5-A4BD-D1CE84ADB277}");
inline constexpr TGUID IID_ICefCustomStreamReader = TGUID::Parse("{BBCFF23A-6FE7-4C28-B13E-6D2ACA5C83B7}");
inline constexpr TGUID IID_ICefDownloadHandler = TGUID::Parse("{3137F90A-5DC5-43C1-858D-A269F28EF4F1}");
inline constexpr TGUID IID_ICefDragData = TGUID::Parse("{70088159-3D67-496E-89B1-56ACAF627CBF}");
inline constexpr TGUID IID_ICefv8Context = TGUID::Parse("{2295A11A-8773-41F2-AD42-308C215062D9}");
inline constexpr TGUID IID_ICefv8Handler = TGUID::Parse("{F94CDC60-FDCB-422D-96D5-D2A775BD5D73}");
inline constexpr TGUID IID_ICefV8Accessor = TGUID::Parse("{DCA6D4A2-726A-4E24-AA64-5E8C731D868A}");
inline constexpr TGUID IID_ICefV8Exception = TGUID::Parse("{7E422CF0-05AC-4A60-A029-F45105DCE6A4}");
inline constexpr TGUID IID_ICefv8Value = TGUID::Parse("{52319B8D-75A8-422C-BD4B-16FA08CC7F42}");
inline constexpr TGUID IID_ICefDomDocument = TGUID::Parse("{08E74052-45AF-4F69-A578-98A5C3959426}");
inline constexpr TGUID IID_ICefDomNode = TGUID::Parse("{96C03C9E-9C98-491A-8DAD-1947332232D6}");
inline constexpr TGUID IID_ICefDomEvent = TGUID::Parse("{2CBD2259-ADC6-4187-9008-A666B57695CE}");
inline constexpr TGUID IID_ICefDomVisitor = TGUID::Parse("{30398428-3196-4531-B968-2DDBED36F6B0}");
inline constexpr TGUID IID_ICefDomEventListener = TGUID::Parse("{68BABB49-1824-42D0-ACCC-FDE9F8D39B88}");
inline constexpr TGUID IID_ICefProxyHandler = TGUID::Parse("{2AC50228-7C3E-4317-B533-6B0C8A875AF5}");
inline constexpr TGUID IID_ICefResourceBundleHandler = TGUID::Parse("{09C264FD-7E03-41E3-87B3-4234E82B5EA2}");
inline constexpr TGUID IID_ICefApp = TGUID::Parse("{970CA670-9070-4642-B188-7D8A22DAEED4}");

}  // namespace larkwell
