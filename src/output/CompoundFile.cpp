// GLib's headers come before Qt's, whose keyword macros they would otherwise meet.
#include "output/CompoundFile.h"

#include <cstring>
#include <gsf/gsf-outfile-msole.h>
#include <gsf/gsf-outfile.h>
#include <gsf/gsf-output.h>
#include <memory>

namespace output {

namespace {

// A GsfOutput that writes into a QByteArray reserved beforehand, so that a large compound
// file is neither grown step by step nor copied once complete.
struct ByteArrayOutput {
    GsfOutput output;
    QByteArray* bytes;
};

struct ByteArrayOutputClass {
    GsfOutputClass output_class;
};

G_DEFINE_TYPE(ByteArrayOutput, byte_array_output, GSF_OUTPUT_TYPE)

gboolean byteArrayClose(GsfOutput*) {
    return TRUE;
}

// The base class keeps the position; writes land there.
gboolean byteArraySeek(GsfOutput*, gsf_off_t, GSeekType) {
    return TRUE;
}

gboolean byteArrayWrite(GsfOutput* output, size_t count, const guint8* data) {
    QByteArray& bytes = *reinterpret_cast<ByteArrayOutput*>(output)->bytes;
    const qsizetype at = qsizetype(output->cur_offset);
    if (at + qsizetype(count) > bytes.size())
        bytes.resize(at + qsizetype(count));
    std::memcpy(bytes.data() + at, data, count);
    return TRUE;
}

void byte_array_output_init(ByteArrayOutput* output) {
    output->bytes = nullptr;
}

void byte_array_output_class_init(ByteArrayOutputClass* klass) {
    GsfOutputClass* output = &klass->output_class;
    output->Close = byteArrayClose;
    output->Seek = byteArraySeek;
    output->Write = byteArrayWrite;
}

struct Unref {
    void operator()(gpointer object) const { g_object_unref(object); }
};
template <class T> using Owned = std::unique_ptr<T, Unref>;

void check(bool ok, const char* step) {
    if (!ok)
        throw ExportError(step);
}

} // namespace

QByteArray compoundFile(const QString& streamName, const std::vector<std::string_view>& parts) {
    qsizetype size = 0;
    for (std::string_view part : parts)
        size += qsizetype(part.size());
    QByteArray file;
    file.reserve(size + size / 8 + 4096); // the container's tables and padding
    Owned<GsfOutput> sink(GSF_OUTPUT(g_object_new(byte_array_output_get_type(), nullptr)));
    reinterpret_cast<ByteArrayOutput*>(sink.get())->bytes = &file;
    Owned<GsfOutfile> ole(gsf_outfile_msole_new(sink.get()));
    check(bool(ole), "cannot create the compound file");
    Owned<GsfOutput> child(
        gsf_outfile_new_child(ole.get(), streamName.toUtf8().constData(), FALSE));
    check(bool(child), "cannot create the workbook stream");
    for (std::string_view part : parts)
        check(gsf_output_write(child.get(), gsize(part.size()),
                               reinterpret_cast<const guint8*>(part.data())),
              "cannot write the workbook stream");
    check(gsf_output_close(child.get()), "cannot close the workbook stream");
    // Closing the compound file closes the sink too.
    check(gsf_output_close(GSF_OUTPUT(ole.get())), "cannot close the compound file");
    return file;
}

} // namespace output
