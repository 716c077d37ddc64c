#include "FuzzInput.h"
#include "FuzzTarget.h"

#include <lumio/PayloadReader.h>
#include <lumio/PayloadWriter.h>

#include <QVariant>

#include <cstring>
#include <vector>

// A plug-in's payload read as any sequence of the five kinds: every read stays
// inside the bytes, a failed read turns every later one into its default, and
// what was read writes back to the same values.
namespace {

enum Kind { Text, List, Int, Bool, Double, Address, KindCount };

QVariant readOne(PayloadReader &in, int kind)
{
    switch (kind) {
    case Text: return in.readString();
    case List: return in.readStringList();
    case Int: return in.readInt();
    case Bool: return in.readBool();
    case Double: return in.readDouble();
    default: return in.readAddress();
    }
}

void writeOne(PayloadWriter &out, int kind, const QVariant &value)
{
    switch (kind) {
    case Text: out << value.toString(); break;
    case List: out << value.toStringList(); break;
    case Int: out << qint32(value.toInt()); break;
    case Bool: out << value.toBool(); break;
    case Double: out << value.toDouble(); break;
    default: out.writeAddress(reinterpret_cast<const void *>(quintptr(value.toLongLong())));
    }
}

bool same(int kind, const QVariant &a, const QVariant &b)
{
    if (kind == Double) {
        const double x = a.toDouble(), y = b.toDouble();
        return std::memcmp(&x, &y, sizeof x) == 0;
    }
    if (kind == Text)
        return a.toString() == b.toString() && a.toString().isNull() == b.toString().isNull();
    return a == b;
}

bool isDefault(int kind, const QVariant &value)
{
    switch (kind) {
    case Text: return value.toString().isEmpty();
    case List: return value.toStringList().isEmpty();
    case Bool: return !value.toBool();
    case Double: return value.toDouble() == 0.0;
    default: return value.toLongLong() == 0;
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzInput input(data, size);
    std::vector<int> kinds(input.byte() % 24);
    for (int &kind : kinds)
        kind = input.byte() % KindCount;
    const QByteArray payload = input.rest();

    PayloadReader in(payload);
    QVariantList values;
    bool failed = false;
    for (int kind : kinds) {
        const QVariant value = readOne(in, kind);
        if (failed)
            FUZZ_CHECK(isDefault(kind, value));
        failed = failed || !in.ok();
        values.append(value);
    }
    if (failed)
        return 0;

    PayloadWriter out;
    for (size_t i = 0; i < kinds.size(); ++i)
        writeOne(out, kinds[i], values[int(i)]);
    PayloadReader again(out.bytes());
    for (size_t i = 0; i < kinds.size(); ++i)
        FUZZ_CHECK(same(kinds[i], readOne(again, kinds[i]), values[int(i)]));
    FUZZ_CHECK(again.ok() && again.atEnd());
    return 0;
}
