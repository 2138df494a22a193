#include "support/ReviewAnswersFile.h"

QByteArray reviewAnswersFile(const QList<QByteArray>& values) {
    QByteArray b("TPF0\x03\xFB\x00", 7); // signature, version 251 as a tag-3 integer
    b.append('\x01');                    // field definitions
    for (const char* name : {"a1", "a2", "a3", "a4", "a5", "a6"}) {
        const QByteArray n(name);
        b.append(QByteArray("\x06\x02") + n);                // name
        b.append(QByteArray("\x06\x06String\x02\x14", 10));  // type, size 20
        b.append(QByteArray("\x06\x02") + n);                // display label
        b.append(QByteArray("\x06\x00\x02\x14\x08\x08", 6)); // edit mask, display width, required, read-only
        b.append(QByteArray("\x06\x04"
                            "Data\x06\x00",
                            8)); // kind, default expression
    }
    b.append('\x00');
    b.append(QByteArray("\x01\x00", 2));         // no index definitions
    b.append(QByteArray("\x01\x01\x02\x00", 4)); // records; the row, status 0
    for (const QByteArray& v : values) {
        b.append(QByteArray("\x08\x06", 2)); // not null, a tag-6 string
        b.append(static_cast<char>(v.size()));
        b.append(v);
    }
    b.append(QByteArray("\x00\x00", 2)); // end of the row, end of the records
    return b;
}
