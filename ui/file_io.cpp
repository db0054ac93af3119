#include "ui/file_io.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QLocale>
#include <QSaveFile>

#include "core/drawing_area.h"
#include "core/run_time_error.h"
#include "ui/canvas.h"

namespace ui {

namespace {
QString Q(const std::string& s) {
  return QString::fromStdString(s);
}

QSaveFile& OpenForReplace(QSaveFile& file, const std::string& path) {
  if (!file.open(QIODevice::WriteOnly)) throw RunTimeError("Cannot create file " + path);
  return file;
}

void Commit(QSaveFile& file) {
  if (!file.commit()) throw RunTimeError("Stream write error");
}
}  // namespace

std::string ReadWholeFile(const std::string& path) {
  QFile file(Q(path));
  if (!file.exists()) throw RunTimeError("File not found");
  if (!file.open(QIODevice::ReadOnly)) throw RunTimeError("File access denied");
  const QByteArray bytes = file.readAll();
  if (file.error() != QFileDevice::NoError) {
    throw RunTimeError("I/O error " + std::to_string(static_cast<int>(file.error())));
  }
  return bytes.toStdString();
}

void WriteFileAtomically(const std::string& path, const std::string& bytes) {
  QSaveFile file(Q(path));
  OpenForReplace(file, path);
  const auto size = static_cast<qint64>(bytes.size());
  if (file.write(bytes.data(), size) != size) {
    file.cancelWriting();
    throw RunTimeError("Stream write error");
  }
  Commit(file);
}

void WriteBitmapAtomically(const ImageCanvas& canvas, const std::string& path) {
  const QImage picture = canvas.Image()
                             .copy(0, 0, kDrawingAreaSize, kDrawingAreaSize)
                             .convertToFormat(QImage::Format_RGB32);
  QSaveFile file(Q(path));
  OpenForReplace(file, path);
  if (!picture.save(&file, "BMP")) {
    file.cancelWriting();
    throw RunTimeError("Stream write error");
  }
  Commit(file);
}

std::string ShortDateNow() {
  return QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat).toStdString();
}

std::string LongTimeNow() {
  return QLocale::system().toString(QTime::currentTime(), "hh:mm:ss").toStdString();
}

}  // namespace ui
