#include "model/OpenSaveFile.h"

#include "model/Layout.h"
#include "model/ModelTexts.h"
#include "model/SaveFileLoader.h"

namespace korven {

bool HasSaveFileMagic(const QByteArray& image) {
    return image.startsWith(QByteArrayView(layout::kMagic, layout::kMagicLength));
}

OpenedSaveFile OpenSaveFile(const QString& path, LockMode mode, SaveFile& model, StatusSink& status,
                            MessageSink& messages) {
    OpenedSaveFile result;
    std::unique_ptr<LockedFile> handle = LockedFile::open(path, mode);
    QByteArray image;
    if (!handle || !handle->readAll(&image)) {
        messages.show(Message(texts::cannotOpen(), MessageIcon::Error));
        result.outcome = OpenOutcome::CannotOpen;
        return result;
    }
    if (!HasSaveFileMagic(image)) {
        messages.show(Message(texts::notASaveFile(), MessageIcon::Exclamation));
        result.outcome = OpenOutcome::NotASaveFile;
        return result;
    }
    if (LoadSaveFile(image, model, status, messages) != 0) {
        result.outcome = OpenOutcome::LoadFailed;
        return result;
    }
    result.outcome = OpenOutcome::Opened;
    result.handle = std::move(handle);
    return result;
}

}  // namespace korven
