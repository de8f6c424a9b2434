#include <shlobj.h>
#include <shobjidl.h>
#include <windows.h>

#include <system_error>

#include "library/DesktopShell.h"

namespace velmora {

namespace {

std::string ResultText(HRESULT result) {
  return std::system_category().message(static_cast<int>(result));
}

// COM for the calling thread for as long as it lives; a thread that already has it in
// another mode keeps it.
class ComScope {
 public:
  ComScope()
      : result_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE)) {}
  ~ComScope() {
    if (SUCCEEDED(result_)) {
      CoUninitialize();
    }
  }
  ComScope(const ComScope&) = delete;
  ComScope& operator=(const ComScope&) = delete;

 private:
  HRESULT result_;
};

template <typename Interface>
class ComPointer {
 public:
  ~ComPointer() {
    if (pointer_ != nullptr) {
      pointer_->Release();
    }
  }
  Interface** Out() { return &pointer_; }
  Interface* operator->() const { return pointer_; }
  Interface* Get() const { return pointer_; }

 private:
  Interface* pointer_ = nullptr;
};

}  // namespace

std::string MoveToDesktopTrash(const std::filesystem::path& file) {
  ComScope com;
  ComPointer<IFileOperation> operation;
  HRESULT result =
      CoCreateInstance(CLSID_FileOperation, nullptr, CLSCTX_ALL, IID_PPV_ARGS(operation.Out()));
  if (FAILED(result)) {
    return ResultText(result);
  }
  // No question for a move to the Recycle Bin, but a file that cannot go there (too large
  // for it, or on a drive without one) would be deleted for good: FOF_WANTNUKEWARNING makes
  // Windows ask first, overriding FOF_NOCONFIRMATION for that case only.
  result = operation->SetOperationFlags(FOF_ALLOWUNDO | FOF_NOCONFIRMATION | FOF_WANTNUKEWARNING |
                                        FOF_NOERRORUI | FOF_SILENT | FOFX_RECYCLEONDELETE |
                                        FOFX_EARLYFAILURE);
  ComPointer<IShellItem> item;
  if (SUCCEEDED(result)) {
    result = SHCreateItemFromParsingName(file.c_str(), nullptr, IID_PPV_ARGS(item.Out()));
  }
  if (SUCCEEDED(result)) {
    result = operation->DeleteItem(item.Get(), nullptr);
  }
  if (SUCCEEDED(result)) {
    result = operation->PerformOperations();
  }
  BOOL aborted = FALSE;
  if (SUCCEEDED(result) && SUCCEEDED(operation->GetAnyOperationsAborted(&aborted)) && aborted) {
    return "l'opération a été interrompue";
  }
  return SUCCEEDED(result) ? std::string() : ResultText(result);
}

std::string OpenInFileManager(const std::filesystem::path& folder) {
  const HINSTANCE result =
      ShellExecuteW(nullptr, L"explore", folder.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
  const auto code = reinterpret_cast<INT_PTR>(result);
  return code > 32 ? std::string() : std::system_category().message(static_cast<int>(code));
}

}  // namespace velmora
