#include "window/QtFormView.h"

#include <system_error>
#include <thread>
#include <utility>

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QUrl>

#include "surface/files/PictureFile.h"
#include "surface/form/Identity.h"
#include "window/JpegImage.h"
#include "window/KnobWidget.h"
#include "window/PictureWidget.h"

namespace velmora {

namespace {

QString ToText(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

void ShowBox(QWidget& window, QMessageBox::Icon icon, const std::string& text) {
  QMessageBox box(icon, ToText(MainWindowTitle()), ToText(text), QMessageBox::Ok, &window);
  box.exec();
}

// "Velmora Preset|*.vmp" -> "Velmora Preset (*.vmp)".
QString DialogFilter(const FileKind& kind) {
  const QString filter = ToText(std::string(kind.filter));
  const qsizetype bar = filter.indexOf('|');
  return filter.left(bar) + " (" + filter.mid(bar + 1) + ")";
}

// The windows beside the main one show the same progress (the live view's bar) while the
// thread blocks.
void RepaintOtherWindows(const QWidget& main) {
  for (QWidget* window : QApplication::topLevelWidgets()) {
    if (window != &main && window->isVisible()) {
      window->repaint();
    }
  }
}

}  // namespace

QtFormView::QtFormView(QWidget& window, const ControlSet& widgets, std::function<void()> render,
                       std::function<void(std::string_view)> showForm,
                       std::function<void(std::string_view)> closeForm,
                       std::chrono::milliseconds stepDelay)
    : window_(window),
      widgets_(widgets),
      render_(std::move(render)),
      showForm_(std::move(showForm)),
      closeForm_(std::move(closeForm)),
      stepDelay_(stepDelay) {}

void QtFormView::ShowMessage(const std::string& text) {
  ShowBox(window_, QMessageBox::Information, text);
}

void QtFormView::ShowError(const std::string& text) {
  ShowBox(window_, QMessageBox::Critical, text);
}

SaveReply QtFormView::AskToSave(const SaveQuestion& question) {
  QMessageBox box(QMessageBox::Question, ToText(MainWindowTitle()), ToText(question.text),
                  QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, &window_);
  box.button(QMessageBox::Save)->setText(ToText(question.save));
  box.button(QMessageBox::Discard)->setText(ToText(question.discard));
  box.button(QMessageBox::Cancel)->setText(ToText(question.cancel));
  box.setDefaultButton(QMessageBox::Save);
  switch (box.exec()) {
    case QMessageBox::Save:
      return SaveReply::kSave;
    case QMessageBox::Discard:
      return SaveReply::kDiscard;
    default:
      return SaveReply::kCancel;
  }
}

void QtFormView::StepDelay() {
  // What the groups so far changed is on screen before the thread blocks.
  render_();
  window_.repaint();
  RepaintOtherWindows(window_);
  std::this_thread::sleep_for(stepDelay_);
  paused_ = true;
}

bool QtFormView::TakePaused() {
  return std::exchange(paused_, false);
}

void QtFormView::DrawKnobPointer(Knob knob, Rgb colour, KnobPoint from, KnobPoint to) {
  widgets_.As<KnobWidget>("knob" + std::string(KnobName(knob)))->DrawPointer(colour, from, to);
}

bool QtFormView::PictureExists(const std::filesystem::path& path) {
  std::error_code error;
  return std::filesystem::is_regular_file(path, error);
}

void QtFormView::LoadPicture(std::string_view control, const std::filesystem::path& path) {
  const std::vector<std::uint8_t> bytes = ReadPictureFile(path);
  widgets_.As<PictureWidget>(control)->SetImage(DecodeJpeg(bytes, path.string()));
}

std::optional<std::filesystem::path> QtFormView::FileDialog(const FileKind& kind,
                                                            const std::filesystem::path& start,
                                                            bool save) {
  // The library window asks too: the dialog goes in front of the window it came from.
  QFileDialog dialog(QApplication::activeWindow() != nullptr ? QApplication::activeWindow()
                                                             : &window_);
  dialog.setNameFilter(DialogFilter(kind));
  dialog.setDefaultSuffix(ToText(std::string(kind.extension)));
  if (!start.empty()) {
    dialog.setDirectory(QString::fromStdString(start.parent_path().string()));
    dialog.selectFile(QString::fromStdString(start.filename().string()));
  }
  if (save) {
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
  } else {
    // A name typed for a file that does not exist is accepted.
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::AnyFile);
  }
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
    return std::nullopt;
  }
  return std::filesystem::path(dialog.selectedFiles().front().toStdString());
}

std::optional<std::filesystem::path> QtFormView::OpenDialog(const FileKind& kind,
                                                            const std::filesystem::path& start) {
  return FileDialog(kind, start, false);
}

std::optional<std::filesystem::path> QtFormView::SaveDialog(const FileKind& kind,
                                                            const std::filesystem::path& start) {
  return FileDialog(kind, start, true);
}

std::optional<std::filesystem::path> QtFormView::FolderDialog(const std::filesystem::path& start) {
  const QString chosen = QFileDialog::getExistingDirectory(
      QApplication::activeWindow() != nullptr ? QApplication::activeWindow() : &window_, {},
      QString::fromStdString(start.string()));
  if (chosen.isEmpty()) {
    return std::nullopt;
  }
  return std::filesystem::path(chosen.toStdString());
}

void QtFormView::RepaintNow(std::string_view control) {
  render_();
  if (QWidget* widget = widgets_.Find(control)) {
    widget->repaint();
  }
  RepaintOtherWindows(window_);
}

void QtFormView::ShowForm(std::string_view form) {
  showForm_(form);
}

void QtFormView::CloseForm(std::string_view form) {
  closeForm_(form);
}

void QtFormView::OpenWebsite(std::string_view address) {
  QDesktopServices::openUrl(QUrl(ToText(address)));
}

}  // namespace velmora
