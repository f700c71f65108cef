#include "review/review_file.h"

#include "platform/file.h"
#include "platform/file_errors.h"
#include "platform/paths.h"
#include "platform/replace_file.h"
#include "strings/review_strings.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QString>
#include <cmath>

namespace quorvel {

namespace {

ReviewFileResult damaged(const QString& detail)
{
    return { ReviewFileStatus::Damaged, 0, detail.toStdString() };
}

// A JSON number that is a whole number within [min, max].
bool wholeNumber(const QJsonValue& v, double min, double max, std::int64_t& out)
{
    if (!v.isDouble())
        return false;
    const double d = v.toDouble();
    if (!(d >= min && d <= max) || std::floor(d) != d)
        return false;
    out = static_cast<std::int64_t>(d);
    return true;
}

ReviewFileResult parse(const QByteArray& bytes, ReviewSchedule& schedule)
{
    QJsonParseError error {};
    const QJsonDocument doc = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError || !doc.isObject())
        return damaged(QString::fromLatin1(strings::kReviewNotJson));
    const QJsonObject root = doc.object();
    std::int64_t version = 0;
    if (!wholeNumber(root.value(QStringLiteral("version")), 1, 1e9, version))
        return damaged(QString::fromLatin1(strings::kReviewNoVersion));
    if (version > kReviewFileVersion)
        return { ReviewFileStatus::NewerVersion, 0, {} };
    const QJsonValue words = root.value(QStringLiteral("words"));
    if (!words.isArray())
        return damaged(QString::fromLatin1(strings::kReviewNoWords));
    const QJsonArray list = words.toArray();
    for (qsizetype i = 0; i < list.size(); ++i) {
        const QJsonObject entry = list.at(i).toObject();
        const QJsonValue word = entry.value(QStringLiteral("word"));
        std::int64_t box = 0, entered = 0;
        const std::string text = word.toString().toStdString();
        if (!word.isString() || !wholeNumber(entry.value(QStringLiteral("box")), 1, 5, box)
            || !wholeNumber(entry.value(QStringLiteral("entered")), 0, 1e15, entered)
            || ReviewSchedule::normalWord(text).empty())
            return damaged(QString::fromLatin1(strings::kReviewBadEntry).arg(i + 1));
        // Two entries for one word: which box is right cannot be told.
        if (schedule.find(text))
            return damaged(QString::fromLatin1(strings::kReviewTwice).arg(word.toString()));
        if (!schedule.restore(text, static_cast<int>(box), static_cast<std::time_t>(entered)))
            return damaged(QString::fromLatin1(strings::kReviewBadEntry).arg(i + 1));
    }
    return {};
}

QByteArray serialise(const ReviewSchedule& schedule)
{
    QJsonArray words;
    for (const ReviewEntry& e : schedule.inDueOrder())
        words.append(QJsonObject {
            { QStringLiteral("word"), QString::fromStdString(e.word) },
            { QStringLiteral("box"), e.box },
            { QStringLiteral("entered"), static_cast<qint64>(e.enteredBox) },
            { QStringLiteral("due"), static_cast<qint64>(e.due) },
        });
    const QJsonObject root {
        { QStringLiteral("version"), kReviewFileVersion },
        { QStringLiteral("words"), words },
    };
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

} // namespace

std::string reviewFilePath(const std::string& dataFolder, int user)
{
    return paths::progdataFile(dataFolder, "review" + std::to_string(user) + ".json");
}

ReviewFileResult loadReviewSchedule(
    const std::string& dataFolder, int user, ReviewSchedule& schedule)
{
    schedule.clear();
    int fileError = 0;
    const auto file = File::open(reviewFilePath(dataFolder, user), OpenMode::ReadOnly, &fileError);
    if (!file) {
        // No schedule yet: the user has failed nothing since reviews began.
        if (fileError == FileError::kFileNotFound || fileError == FileError::kPathNotFound)
            return {};
        return { ReviewFileStatus::Unreadable, fileError, {} };
    }
    if (file->size() > kReviewFileMaxBytes)
        return { ReviewFileStatus::Oversized, 0, {} };
    QByteArray bytes(static_cast<qsizetype>(file->size()), Qt::Uninitialized);
    if (!bytes.isEmpty() && !file->readExact(bytes.data(), static_cast<std::size_t>(bytes.size())))
        return { ReviewFileStatus::Unreadable, FileError::kReadFault, {} };
    ReviewFileResult result = parse(bytes, schedule);
    if (!result.ok())
        schedule.clear();
    return result;
}

ReviewFileResult saveReviewSchedule(
    const std::string& dataFolder, int user, const ReviewSchedule& schedule)
{
    // Whatever is there now must be a schedule this program could read: a damaged file may
    // still be someone's only record of their reviews.
    ReviewSchedule current;
    if (ReviewFileResult there = loadReviewSchedule(dataFolder, user, current); !there.ok())
        return there;
    const QByteArray bytes = serialise(schedule);
    const ReplaceResult replaced = replaceFile(reviewFilePath(dataFolder, user), bytes.constData(),
        static_cast<std::size_t>(bytes.size()));
    if (!replaced)
        return { ReviewFileStatus::WriteFailed,
            replaced.fileError ? replaced.fileError : FileError::kWriteFault, {} };
    return {};
}

std::string reviewFileMessage(const ReviewFileResult& result, const std::string& path)
{
    switch (result.status) {
    case ReviewFileStatus::Ok:
        return {};
    case ReviewFileStatus::Unreadable:
        return strings::kReviewCannotRead + path + ": " + FileErrorMessage(result.fileError);
    case ReviewFileStatus::Oversized:
        return path + strings::kReviewOversized;
    case ReviewFileStatus::Damaged:
        return path + strings::kReviewDamaged + result.detail + strings::kReviewDamagedEnd;
    case ReviewFileStatus::NewerVersion:
        return path + strings::kReviewNewer;
    case ReviewFileStatus::WriteFailed:
        return strings::kReviewCannotSave + path + ": " + FileErrorMessage(result.fileError);
    }
    return {};
}

} // namespace quorvel
