#include "cli/HeadlessView.h"

#include <thread>

namespace velmora {

void HeadlessView::ShowMessage(const std::string& text) {
  messages_ << text << '\n';
}

void HeadlessView::ShowError(const std::string& text) {
  messages_ << text << '\n';
}

// Nobody to answer: nothing is dropped, nothing written unasked.
SaveReply HeadlessView::AskToSave(const SaveQuestion& question) {
  messages_ << question.text << '\n';
  return SaveReply::kCancel;
}

void HeadlessView::StepDelay() {
  std::this_thread::sleep_for(kStepDelay);
}

void HeadlessView::DrawKnobPointer(Knob, Rgb, KnobPoint, KnobPoint) {}

bool HeadlessView::PictureExists(const std::filesystem::path&) {
  return false;
}

void HeadlessView::LoadPicture(std::string_view, const std::filesystem::path&) {}

std::optional<std::filesystem::path> HeadlessView::OpenDialog(const FileKind&,
                                                              const std::filesystem::path&) {
  return std::nullopt;
}

std::optional<std::filesystem::path> HeadlessView::SaveDialog(const FileKind&,
                                                              const std::filesystem::path&) {
  return std::nullopt;
}

std::optional<std::filesystem::path> HeadlessView::FolderDialog(const std::filesystem::path&) {
  return std::nullopt;
}

void HeadlessView::RepaintNow(std::string_view) {}

void HeadlessView::ShowForm(std::string_view) {}

void HeadlessView::CloseForm(std::string_view) {}

void HeadlessView::OpenWebsite(std::string_view) {}

}  // namespace velmora
