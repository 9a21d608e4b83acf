#include "shell/StartupPreload.h"

#include <QBuffer>
#include <QImageReader>

namespace chimeset {
namespace {

// A transparent pixel as a PNG file.
constexpr unsigned char kPixelPng[] = {
    0x89, 0x50, 0x4e, 0x47, 0x0d, 0x0a, 0x1a, 0x0a, 0x00, 0x00, 0x00, 0x0d, 0x49, 0x48,
    0x44, 0x52, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00, 0x01, 0x08, 0x06, 0x00, 0x00,
    0x00, 0x1f, 0x15, 0xc4, 0x89, 0x00, 0x00, 0x00, 0x0b, 0x49, 0x44, 0x41, 0x54, 0x78,
    0x9c, 0x63, 0x60, 0x00, 0x02, 0x00, 0x00, 0x05, 0x00, 0x01, 0x7a, 0x5e, 0xab, 0x3f,
    0x00, 0x00, 0x00, 0x00, 0x49, 0x45, 0x4e, 0x44, 0xae, 0x42, 0x60, 0x82};

// The styles draw some frames from PNG files, and Qt's first image read, wherever it happens,
// searches and loads every image plugin. Reading one here does that away from the window.
void LoadImageDecoders() {
    QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(kPixelPng),
                                               static_cast<qsizetype>(sizeof kPixelPng));
    QBuffer buffer(&bytes);
    QImageReader reader(&buffer);
    reader.read();
}

}  // namespace

StartupPreload::StartupPreload(std::string databaseFolder) {
    thread_.reset(QThread::create([this, folder = std::move(databaseFolder)] {
        loaded_ = database_.Load(folder);
        LoadImageDecoders();
    }));
    thread_->start();
}

StartupPreload::~StartupPreload() {
    Wait();
}

void StartupPreload::Wait() {
    if (thread_) thread_->wait();
}

TowerDatabase StartupPreload::TakeDatabase(FileResult& loaded) {
    Wait();
    loaded = std::move(loaded_);
    return std::move(database_);
}

}  // namespace chimeset
