#include "help/MhtArchive.h"

// glib names a struct member "signals", which Qt defines as a macro.
#pragma push_macro("signals")
#undef signals
#include <gmime/gmime.h>
#pragma pop_macro("signals")

#include <algorithm>
#include <memory>

namespace help {

namespace {

// A page without a Content-Location gets this one, so that its relative links resolve.
const QUrl DefaultRoot(QStringLiteral("mht:/index.htm"));

template <class T> struct Unref {
    void operator()(T* object) const { g_object_unref(object); }
};
template <class T> using Owned = std::unique_ptr<T, Unref<T>>;

struct FreeText {
    void operator()(char* text) const { g_free(text); }
};
using Text = std::unique_ptr<char, FreeText>;

void initialiseOnce() {
    static const bool initialised = [] {
        g_mime_init();
        return true;
    }();
    (void)initialised;
}

QString key(const QUrl& url) {
    return url.adjusted(QUrl::RemoveFragment | QUrl::NormalizePathSegments)
        .toString(QUrl::FullyEncoded);
}

QByteArray decodedBytes(GMimePart* part) {
    GMimeDataWrapper* wrapper = g_mime_part_get_content(part);
    if (!wrapper)
        return {};
    Owned<GMimeStream> out(g_mime_stream_mem_new());
    if (g_mime_data_wrapper_write_to_stream(wrapper, out.get()) < 0)
        return {};
    GByteArray* bytes = g_mime_stream_mem_get_byte_array(GMIME_STREAM_MEM(out.get()));
    return QByteArray(reinterpret_cast<const char*>(bytes->data), qsizetype(bytes->len));
}

MhtArchive::Part readPart(GMimePart* part) {
    auto* object = GMIME_OBJECT(part);
    MhtArchive::Part result;
    GMimeContentType* type = g_mime_object_get_content_type(object);
    if (type) {
        Text mimeType(g_mime_content_type_get_mime_type(type));
        if (mimeType)
            result.mimeType = QByteArray(mimeType.get()).toLower();
    }
    if (const char* location = g_mime_object_get_header(object, "Content-Location"))
        result.location = QUrl(QString::fromUtf8(location).trimmed());
    if (const char* id = g_mime_object_get_content_id(object))
        result.contentId = QString::fromUtf8(id);

    const bool knownCharset = type && g_mime_content_type_get_parameter(type, "charset");
    if (GMIME_IS_TEXT_PART(part) && knownCharset) {
        Text text(g_mime_text_part_get_text(GMIME_TEXT_PART(part)));
        if (text) {
            result.content = QString::fromUtf8(text.get());
            return result;
        }
    }
    result.content = decodedBytes(part);
    return result;
}

void collect(GMimeObject*, GMimeObject* object, gpointer data) {
    if (GMIME_IS_PART(object))
        static_cast<QList<MhtArchive::Part>*>(data)->append(readPart(GMIME_PART(object)));
}

} // namespace

std::optional<MhtArchive> MhtArchive::parse(const QByteArray& bytes) {
    initialiseOnce();
    Owned<GMimeStream> stream(
        g_mime_stream_mem_new_with_buffer(bytes.constData(), size_t(bytes.size())));
    Owned<GMimeParser> parser(g_mime_parser_new_with_stream(stream.get()));
    Owned<GMimeMessage> message(g_mime_parser_construct_message(parser.get(), nullptr));
    if (!message)
        return std::nullopt;

    MhtArchive archive;
    g_mime_message_foreach(message.get(), collect, &archive.parts_);
    const auto root = std::find_if(archive.parts_.begin(), archive.parts_.end(),
                                   [](const Part& part) { return part.mimeType == "text/html"; });
    if (root == archive.parts_.end())
        return std::nullopt;
    archive.root_ = root - archive.parts_.begin();

    Part& page = archive.parts_[archive.root_];
    if (!page.location.isValid())
        page.location = DefaultRoot;
    else if (page.location.isRelative())
        page.location = DefaultRoot.resolved(page.location);
    for (qsizetype i = 0; i < archive.parts_.size(); ++i) {
        Part& part = archive.parts_[i];
        if (!part.location.isEmpty()) {
            part.location = page.location.resolved(part.location);
            archive.byLocation_.insert(key(part.location), i);
        }
        if (!part.contentId.isEmpty())
            archive.byContentId_.insert(part.contentId, i);
    }
    archive.byLocation_.insert(key(page.location), archive.root_);
    return archive;
}

QVariant MhtArchive::read(const QUrl& url) const {
    const bool byId = url.scheme() == QLatin1String("cid");
    const QHash<QString, qsizetype>& index = byId ? byContentId_ : byLocation_;
    const auto found = index.constFind(byId ? url.path() : key(url));
    return found == index.constEnd() ? QVariant() : parts_.at(*found).content;
}

} // namespace help
