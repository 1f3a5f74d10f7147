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
// Texts of the update run outside the classic 212-230 table.
inline constexpr int buttonCancel = 1100;
inline constexpr int buttonClose = 1101;
inline constexpr int leaveQuestion = 1102;
inline constexpr int errorCaption = 1103;
inline constexpr int downloadStep = 1104;
inline constexpr int installNotDone = 1105;
inline constexpr int downloadDone = 1106;
inline constexpr int uploadStep = 1107;
inline constexpr int uploadFailedStatus = 1108;
inline constexpr int uploadFailedBox = 1109;
inline constexpr int uploadDone = 1110;
inline constexpr int uploadSendFailed = 1111;
inline constexpr int installStep = 1112;
inline constexpr int installDone = 1113;
inline constexpr int restartQuestion = 1114;
inline constexpr int restartCaption = 1115;
inline constexpr int errorCodeLine = 1116;
inline constexpr int downloadHttpStatus = 1117;
inline constexpr int transferTimedOut = 1118;
inline constexpr int downloadShortBody = 1119;
}  // namespace zu::sid
