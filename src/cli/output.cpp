#include "output.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <cstdio>

namespace quorvel::cli {

namespace {

QString scalarText(const QJsonValue& v)
{
    switch (v.type()) {
    case QJsonValue::Bool:
        return v.toBool() ? QStringLiteral("true") : QStringLiteral("false");
    case QJsonValue::Double:
        return QString::number(v.toDouble(), 'g', 15);
    case QJsonValue::String:
        return v.toString();
    case QJsonValue::Null:
        return QStringLiteral("-");
    default:
        return QString::fromUtf8(
            QJsonDocument::fromVariant(v.toVariant()).toJson(QJsonDocument::Compact));
    }
}

void printText(const QJsonObject& object, int indent)
{
    const QByteArray pad(indent, ' ');
    for (auto it = object.begin(); it != object.end(); ++it) {
        const QByteArray key = it.key().toUtf8();
        const QJsonValue v = it.value();
        if (v.isObject()) {
            std::printf("%s%s:\n", pad.constData(), key.constData());
            printText(v.toObject(), indent + 2);
        } else if (v.isArray()) {
            const QJsonArray a = v.toArray();
            const bool simple = std::all_of(
                a.begin(), a.end(), [](const QJsonValue& e) { return !e.isObject(); });
            if (simple && a.size() <= 16) {
                QStringList parts;
                for (const QJsonValue& e : a)
                    parts << scalarText(e);
                std::printf("%s%s: %s\n", pad.constData(), key.constData(),
                    parts.join(QStringLiteral(", ")).toUtf8().constData());
            } else {
                std::printf("%s%s:\n", pad.constData(), key.constData());
                for (const QJsonValue& e : a) {
                    if (e.isObject()) {
                        printText(e.toObject(), indent + 2);
                        std::printf("\n");
                    } else {
                        std::printf(
                            "%s  %s\n", pad.constData(), scalarText(e).toUtf8().constData());
                    }
                }
            }
        } else {
            std::printf(
                "%s%s: %s\n", pad.constData(), key.constData(), scalarText(v).toUtf8().constData());
        }
    }
}

} // namespace

void Output::print(const QJsonObject& result) const
{
    if (m_json)
        std::printf("%s\n", QJsonDocument(result).toJson(QJsonDocument::Compact).constData());
    else
        printText(result, 0);
    std::fflush(stdout);
}

void Output::failure(const std::string& message, const QJsonObject& details) const
{
    const std::string line = oneLine(message);
    if (m_json) {
        QJsonObject object = details;
        object.insert(QStringLiteral("error"), QString::fromStdString(line));
        print(object);
    } else if (!details.isEmpty()) {
        print(details);
    }
    std::fprintf(stderr, "quorvel-cli: %s\n", line.c_str());
    std::fflush(stderr);
}

void Output::note(const std::string& message)
{
    std::fprintf(stderr, "quorvel-cli: %s\n", oneLine(message).c_str());
    std::fflush(stderr);
}

std::string oneLine(const std::string& text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            if (!out.empty() && out.back() != ' ')
                out.push_back(' ');
            continue;
        }
        if (c == ' ' && !out.empty() && out.back() == ' ' && i > 0
            && (text[i - 1] == '\n' || text[i - 1] == '\r'))
            continue;
        out.push_back(c);
    }
    while (!out.empty() && out.back() == ' ')
        out.pop_back();
    return out;
}

} // namespace quorvel::cli
