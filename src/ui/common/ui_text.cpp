#include "ui_text.h"

#include <QCoreApplication>
#include <QStringDecoder>

namespace quorvel::ui {

QString uiText(const char* source)
{
    return QCoreApplication::translate(kTextContext, source);
}

QString toQString(const std::string& text)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString decoded = utf8(QByteArrayView(text.data(), static_cast<qsizetype>(text.size())));
    if (!utf8.hasError())
        return decoded;
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

QString withoutMnemonic(const QString& label)
{
    QString plain;
    plain.reserve(label.size());
    for (qsizetype i = 0; i < label.size(); ++i) {
        // "&x" is x marked as the mnemonic, "&&" a literal ampersand; a lone "&" at the end is
        // dropped as Qt does.
        if (label[i] == QLatin1Char('&') && ++i == label.size())
            break;
        plain += label[i];
    }
    return plain;
}

} // namespace quorvel::ui
