#include <gio/gio.h>

#include "library/DesktopShell.h"

namespace velmora {

namespace {

std::string Consume(GError* error) {
  std::string reason = error->message;
  g_error_free(error);
  return reason;
}

}  // namespace

std::string MoveToDesktopTrash(const std::filesystem::path& file) {
  GFile* gfile = g_file_new_for_path(file.c_str());
  GError* error = nullptr;
  const bool moved = g_file_trash(gfile, nullptr, &error);
  g_object_unref(gfile);
  return moved ? std::string() : Consume(error);
}

std::string OpenInFileManager(const std::filesystem::path& folder) {
  GFile* gfile = g_file_new_for_path(folder.c_str());
  char* uri = g_file_get_uri(gfile);
  g_object_unref(gfile);
  GError* error = nullptr;
  const bool opened = g_app_info_launch_default_for_uri(uri, nullptr, &error);
  g_free(uri);
  return opened ? std::string() : Consume(error);
}

}  // namespace velmora
