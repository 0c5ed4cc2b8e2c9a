// Feeds arbitrary text to the report template reader: it must either give a template
// or throw TemplateError, never crash or hang.
#include "output/ReportTemplate.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    try {
        const output::ReportTemplate design =
            output::parseTemplate(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
        // What the reader accepts, the layout can rely on.
        if (design.columns.isEmpty() || design.fontSize <= 0)
            std::abort();
        for (const output::ReportColumn& column : design.columns) {
            if (!(column.width > 0))
                std::abort();
        }
    } catch (const output::TemplateError&) {
    }
    return 0;
}
