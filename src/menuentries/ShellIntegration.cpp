#include "menuentries/ShellIntegration.h"

#include <windows.h>

#include "app/ProgramState.h"
#include "outside/Velkor.h"
#include "platform/Text.h"

namespace orv {
namespace {

constexpr char kExtension[] = ".jpg";
constexpr char kFileClass[] = "jpegfile";
constexpr char kProductName[] = "Orvane";

std::string HandlerClsidAnsi() {
    return WideToAnsi(kHandlerClsid);
}

} // namespace

std::string HandlerLibraryPathForVelkor(const std::wstring& programFolder) {
    return AnsiPathFor(programFolder + kHandlerLibrary);
}

void IntegrateHandler(const std::wstring& programFolder) {
    const std::string library = HandlerLibraryPathForVelkor(programFolder);
    const std::string clsid = HandlerClsidAnsi();
    // Velkor's results are not looked at: the program has no way to act on them.
    PMIntegrateIntoShell(library.c_str(), kExtension, kFileClass, 0, clsid.c_str(), 0);
    PMRegisterForFolder(kProductName, clsid.c_str());
}

void ClearHandlerIntegration(const std::wstring& programFolder) {
    const std::string library = HandlerLibraryPathForVelkor(programFolder);
    const std::string clsid = HandlerClsidAnsi();
    PMClearIntegration(library.c_str(), kExtension, kFileClass, 0, clsid.c_str(), 0);
}

} // namespace orv
