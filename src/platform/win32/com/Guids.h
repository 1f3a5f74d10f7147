#pragma once
// The component's fixed identifiers, chosen once and never changed. The same values are
// written in resources/ZeltoUpdate.idl (the type library).
#include <windows.h>

namespace zu::win {

// {87B67A91-B92F-40C1-98D6-033A886E5512} control class, coclass ZeltoUpdate
inline constexpr GUID kControlClsid = {0x87b67a91, 0xb92f, 0x40c1, {0x98, 0xd6, 0x03, 0x3a, 0x88, 0x6e, 0x55, 0x12}};
// {AC83D4FD-989F-43F9-9663-D0D09366381D} property page class
inline constexpr GUID kPropPageClsid = {0xac83d4fd, 0x989f, 0x43f9, {0x96, 0x63, 0xd0, 0xd0, 0x93, 0x66, 0x38, 0x1d}};
// {BC9CDE75-5EF7-4A5A-A666-3913DC5F0711} type library ZELTOUPDATELib 1.0
inline constexpr GUID kTypeLibId = {0xbc9cde75, 0x5ef7, 0x4a5a, {0xa6, 0x66, 0x39, 0x13, 0xdc, 0x5f, 0x07, 0x11}};
// {1E88A279-EC12-4EFA-BD4F-C0A387F2C1AD} dispinterface _DZeltoUpdate
inline constexpr GUID kDispatchIid = {0x1e88a279, 0xec12, 0x4efa, {0xbd, 0x4f, 0xc0, 0xa3, 0x87, 0xf2, 0xc1, 0xad}};
// {33BC94A6-E0BF-4985-95F3-01F36F984F60} dispinterface _DZeltoUpdateEvents
inline constexpr GUID kEventsIid = {0x33bc94a6, 0xe0bf, 0x4985, {0x95, 0xf3, 0x01, 0xf3, 0x6f, 0x98, 0x4f, 0x60}};

inline constexpr WORD kTypeLibMajor = 1;
inline constexpr WORD kTypeLibMinor = 0;

inline constexpr wchar_t kControlProgId[] = L"ZELTOUPDATE.ZeltoUpdateCtrl.1";
inline constexpr wchar_t kPropPageProgId[] = L"ZELTOUPDATE.ZeltoUpdatePropPage.1";

// OLEMISC_RECOMPOSEONRESIZE | CANTLINKINSIDE | INSIDEOUT | ACTIVATEWHENVISIBLE | SETCLIENTSITEFIRST
inline constexpr DWORD kMiscStatus = 0x20191;

// Resource ids of the module.
inline constexpr int kToolboxBitmapId = 1;
inline constexpr int kTypeLibResourceId = 1;
inline constexpr int kPropPageDialogId = 200;

}  // namespace zu::win
