// GLib's headers come before Qt's, whose keyword macros they would otherwise meet.
#include "output/CompoundFile.h"

#include <gsf/gsf-outfile-msole.h>
#include <gsf/gsf-outfile.h>
#include <gsf/gsf-output-memory.h>
#include <gsf/gsf-output.h>
#include <memory>

namespace output {

namespace {

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
    Owned<GsfOutput> sink(gsf_output_memory_new());
    {
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
    }
    const gsf_off_t size = gsf_output_size(sink.get());
    const guint8* bytes = gsf_output_memory_get_bytes(GSF_OUTPUT_MEMORY(sink.get()));
    return QByteArray(reinterpret_cast<const char*>(bytes), qsizetype(size));
}

} // namespace output
