#pragma once
// Ids of the string table entries (see resources/strings.tsv).
namespace zu::sid {
inline constexpr int controlTypeName = 1;
inline constexpr int propPageTypeName = 2;
inline constexpr int propPageCaption = 200;
inline constexpr int installUpgradeWindowsInstaller = 212;
inline constexpr int installContactVendor = 213;
inline constexpr int installNotInstalled = 214;
inline constexpr int installAnotherInProgress = 215;
inline constexpr int installPackageNotOpened = 216;
inline constexpr int installDiskOrTemp = 217;
inline constexpr int installPatchNotOpened = 218;
inline constexpr int installVersionDiffers = 219;
inline constexpr int installOther = 220;
inline constexpr int uploadedAmounts = 221;
inline constexpr int receivedAmounts = 222;
inline constexpr int installPolicy = 223;
inline constexpr int installPlatform = 224;
inline constexpr int noInstalledVersion = 225;
inline constexpr int catalogUnavailable = 226;
inline constexpr int updatesUndetermined = 227;
inline constexpr int downloadTitle = 228;
inline constexpr int installTitle = 229;
inline constexpr int uploadTitle = 230;
}  // namespace zu::sid
