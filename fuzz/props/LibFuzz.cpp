// Any bytes as "PropLib.cds": read, and when read, written and read back unchanged.
#include "props/PropLib.h"
#include "units/Errors.h"

#include <cstdlib>

using namespace tubalon;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray text(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    std::vector<TPropRecord> records;
    try {
        records = TPropLib::FromText(text);
    } catch (const Error&) {
        return 0;
    }
    TPropLib lib;
    lib.OpenEmpty();
    for (const TPropRecord& r : records)
        lib.Append(r);
    const QByteArray written = lib.ToText();
    std::vector<TPropRecord> back;
    try {
        back = TPropLib::FromText(written);
    } catch (const Error&) {
        std::abort(); // what we write we must read
    }
    if (back.size() != records.size()) std::abort();
    for (size_t i = 0; i < back.size(); ++i)
        if (!(back[i] == lib.Record(static_cast<int>(i)))) std::abort();
    return 0;
}
