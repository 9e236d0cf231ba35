#include "graph/Kmz.h"

#include "runtime/Staging.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <libdeflate.h>
#include <memory>
#include <zip.h>

namespace kartello {

namespace {

// The fastest deflate level: a large graph's document is mostly digits, which
// pack nearly as well at level 1 in a fraction of the time. The compressor is
// not zlib's but one that deflates a whole buffer about twice as fast.
constexpr int kDeflateLevel = 1;

QString zipError(zip_t* z) {
    return QString::fromUtf8(zip_strerror(z));
}

QString zipErrorCode(int code) {
    zip_error_t err;
    zip_error_init_with_code(&err, code);
    const QString text = QString::fromUtf8(zip_error_strerror(&err));
    zip_error_fini(&err);
    return text;
}

// One entry deflated beforehand, handed to the archive as it is: the archive
// copies the compressed bytes instead of deflating them again.
struct Deflated {
    QByteArray data;
    zip_uint64_t size = 0;
    zip_uint32_t crc = 0;
    zip_uint64_t offset = 0;
    time_t mtime = 0;
    zip_error_t error{};
};

std::unique_ptr<Deflated> deflate(QByteArrayView bytes, libdeflate_compressor* c) {
    auto d = std::make_unique<Deflated>();
    // A document packs to about a fifth: room for a quarter is tried first, so
    // that packing does not hold a second document's worth of memory.
    const size_t whole = size_t(bytes.size());
    for (const size_t room : {whole / 4 + 4096, libdeflate_deflate_compress_bound(c, whole)}) {
        d->data = QByteArray(qsizetype(room), Qt::Uninitialized);
        const size_t n = libdeflate_deflate_compress(c, bytes.data(), whole, d->data.data(), room);
        if (n > 0) {
            d->data.truncate(qsizetype(n));
            break;
        }
    }
    d->size = zip_uint64_t(bytes.size());
    d->crc = zip_uint32_t(libdeflate_crc32(0, bytes.data(), size_t(bytes.size())));
    d->mtime = std::time(nullptr);
    return d;
}

zip_int64_t readDeflated(void* state, void* data, zip_uint64_t len, zip_source_cmd_t cmd) {
    auto* d = static_cast<Deflated*>(state);
    switch (cmd) {
    case ZIP_SOURCE_OPEN:
        d->offset = 0;
        return 0;
    case ZIP_SOURCE_READ: {
        const zip_uint64_t n = std::min<zip_uint64_t>(len, zip_uint64_t(d->data.size()) - d->offset);
        std::memcpy(data, d->data.constData() + d->offset, n);
        d->offset += n;
        return zip_int64_t(n);
    }
    case ZIP_SOURCE_STAT: {
        auto* st = static_cast<zip_stat_t*>(data);
        zip_stat_init(st);
        st->size = d->size;
        st->comp_size = zip_uint64_t(d->data.size());
        st->crc = d->crc;
        st->comp_method = ZIP_CM_DEFLATE;
        st->encryption_method = ZIP_EM_NONE;
        st->mtime = d->mtime;
        st->valid = ZIP_STAT_SIZE | ZIP_STAT_COMP_SIZE | ZIP_STAT_CRC | ZIP_STAT_COMP_METHOD |
                    ZIP_STAT_ENCRYPTION_METHOD | ZIP_STAT_MTIME;
        return sizeof(*st);
    }
    case ZIP_SOURCE_ERROR:
        return zip_error_to_data(&d->error, data, len);
    case ZIP_SOURCE_CLOSE:
    case ZIP_SOURCE_FREE:
        return 0;
    case ZIP_SOURCE_SUPPORTS:
        return zip_source_make_command_bitmap(ZIP_SOURCE_OPEN, ZIP_SOURCE_READ, ZIP_SOURCE_CLOSE,
                                              ZIP_SOURCE_STAT, ZIP_SOURCE_ERROR, ZIP_SOURCE_FREE, -1);
    default:
        return -1;
    }
}

std::optional<QString> addEntries(zip_t* z, const std::vector<ArchiveEntry>& entries,
                                  std::vector<std::unique_ptr<Deflated>>& kept) {
    const std::unique_ptr<libdeflate_compressor, decltype(&libdeflate_free_compressor)> compressor(
        libdeflate_alloc_compressor(kDeflateLevel), &libdeflate_free_compressor);
    if (!compressor)
        return QStringLiteral("Out of memory");
    for (const ArchiveEntry& e : entries) {
        kept.push_back(deflate(e.bytes, compressor.get()));
        zip_source_t* src = zip_source_function(z, readDeflated, kept.back().get());
        if (!src)
            return zipError(z);
        if (zip_file_add(z, e.name.toUtf8().constData(), src, ZIP_FL_ENC_UTF_8) < 0) {
            zip_source_free(src);
            return zipError(z);
        }
    }
    return std::nullopt;
}

} // namespace

std::optional<QString> packArchive(const QString& archivePath, const std::vector<ArchiveEntry>& entries) {
    QTemporaryFile temp(besideTemplate(archivePath));
    if (!temp.open())
        return QStringLiteral("Cannot create a file in ") + QFileInfo(archivePath).absolutePath();
    temp.close();
    const QByteArray tempPath = QFile::encodeName(temp.fileName());

    int code = 0;
    zip_t* z = zip_open(tempPath.constData(), ZIP_CREATE | ZIP_TRUNCATE, &code);
    if (!z)
        return zipErrorCode(code);
    // The compressed entries live until the archive is closed.
    std::vector<std::unique_ptr<Deflated>> deflated;
    if (auto err = addEntries(z, entries, deflated)) {
        zip_discard(z);
        return err;
    }
    if (zip_close(z) < 0) {
        const QString err = zipError(z);
        zip_discard(z);
        return err;
    }
    // The packer wrote a private file; the archive is an ordinary document.
    QFile::setPermissions(temp.fileName(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                               QFileDevice::ReadGroup | QFileDevice::ReadOther);
    // A rename within one folder replaces the old archive in one step.
    if (std::rename(tempPath.constData(), QFile::encodeName(archivePath).constData()) != 0)
        return QStringLiteral("Cannot replace ") + archivePath;
    temp.setAutoRemove(false);
    return std::nullopt;
}

} // namespace kartello
