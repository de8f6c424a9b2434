#include "winshell/FolderDialog.h"

#include <shobjidl.h>

namespace velmora {

namespace {

// Releases the interface it holds when it goes.
template <typename Interface>
struct Held {
  Interface* pointer = nullptr;
  ~Held() {
    if (pointer != nullptr) {
      pointer->Release();
    }
  }
};

}  // namespace

std::optional<std::filesystem::path> PickFolder(HWND owner, const std::filesystem::path& start) {
  Held<IFileOpenDialog> dialog;
  if (FAILED(CoCreateInstance(CLSID_FileOpenDialog, nullptr, CLSCTX_INPROC_SERVER,
                              IID_PPV_ARGS(&dialog.pointer)))) {
    return std::nullopt;
  }
  FILEOPENDIALOGOPTIONS options = 0;
  dialog.pointer->GetOptions(&options);
  dialog.pointer->SetOptions(options | FOS_PICKFOLDERS | FOS_FORCEFILESYSTEM | FOS_PATHMUSTEXIST);
  Held<IShellItem> folder;
  if (!start.empty() && SUCCEEDED(SHCreateItemFromParsingName(start.c_str(), nullptr,
                                                              IID_PPV_ARGS(&folder.pointer)))) {
    dialog.pointer->SetFolder(folder.pointer);
  }
  Held<IShellItem> chosen;
  if (FAILED(dialog.pointer->Show(owner)) || FAILED(dialog.pointer->GetResult(&chosen.pointer))) {
    return std::nullopt;
  }
  wchar_t* path = nullptr;
  if (FAILED(chosen.pointer->GetDisplayName(SIGDN_FILESYSPATH, &path))) {
    return std::nullopt;
  }
  std::filesystem::path result(path);
  CoTaskMemFree(path);
  return result;
}

}  // namespace velmora
