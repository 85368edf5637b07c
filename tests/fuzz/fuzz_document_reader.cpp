// Feeds arbitrary bytes to the document reader, then writes and reads back what it loaded.
#include "document/DocumentFile.h"

#include "engine/NumberFormat.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char *>(data), size);
    const engine::NumberFormat format;
    (void)document::hasDocumentSignature(bytes);
    document::DocumentData doc;
    document::readDocument(bytes, doc, format);

    // What was loaded must save and load again without loss.
    const std::string saved = document::writeDocument(doc);
    document::DocumentData again;
    const document::ReadResult result = document::readDocument(saved, again, format);
    if (result.stoppedEarly || result.corrupted || document::writeDocument(again) != saved)
        std::abort();
    return 0;
}
