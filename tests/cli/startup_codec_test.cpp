// Every field of the startup record three ways: the program's typed accessors, the bytes at the
// field's documented offset, and the command line's name for it. A value put in through the typed
// accessors and the same value put in with `startup set` give the same record byte for byte, and
// `startup show` reads it back under that name.

#include "support/temp_folder.h"

#include "config/startup_fields.h"
#include "config/user_settings.h"
#include "platform/le_codec.h"
#include "users/password_scramble.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <functional>
#include <gtest/gtest.h>
#include <set>

using namespace quorvel;
using namespace quorvel::test;

namespace {

constexpr int kSlot = 3; // the user or category slot every per-slot field is tried in

struct CliRun
{
    int exitCode = -1;
    QJsonObject json;
    std::string err;
};

CliRun cli(const std::string& folder, const QStringList& arguments)
{
    QProcess p;
    QStringList all { "--json", "--folder", QString::fromStdString(folder) };
    all << arguments;
    p.start(QStringLiteral(QUORVEL_CLI), all);
    p.waitForFinished(60000);
    CliRun r;
    r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.json = QJsonDocument::fromJson(p.readAllStandardOutput()).object();
    r.err = p.readAllStandardError().toStdString();
    return r;
}

using Edit = std::function<void(StartupInfo&)>;
using Check = std::function<bool(const StartupInfo&)>;

struct Row
{
    const char* name;
    std::size_t offset; // of element 0, as the record's layout documents it
    std::size_t width;
    std::size_t stride; // 0 for a single field
    const char* value; // as `startup set` takes it and `startup show` gives it back
    Edit typedSet; // the same value through the typed accessors
    Check typedReads; // the typed accessor reads that value
    Edit before = {}; // made first, when the value is the default already
};

template <typename Part> Edit editPart(std::function<void(Part&)> change)
{
    return [change](StartupInfo& info) {
        Part part = Part::read(info, kSlot);
        change(part);
        part.write(info, kSlot);
    };
}

template <typename Part> Check partReads(std::function<bool(const Part&)> test)
{
    return [test](const StartupInfo& info) { return test(Part::read(info, kSlot)); };
}

PasswordBytes scrambled(const char* plain, int key)
{
    PasswordBuffer buffer {};
    EXPECT_TRUE(scrambleText(plain, key, buffer));
    return buffer;
}

std::string hexUpToNul(const PasswordBytes& bytes)
{
    static const char* digits = "0123456789abcdef";
    std::string out;
    for (std::size_t i = 0; i < bytes.size() - 1 && bytes[i] != 0; ++i) {
        out += digits[bytes[i] >> 4];
        out += digits[bytes[i] & 15];
    }
    return out;
}

// A JSON value of `startup show` as the text `startup set` takes.
std::string shownText(const QJsonValue& v)
{
    if (v.isArray()) {
        QStringList parts;
        for (const QJsonValue& part : v.toArray())
            parts << QString::number(part.toInteger());
        return parts.join(',').toStdString();
    }
    return v.isDouble() ? std::to_string(v.toInt()) : v.toString().toStdString();
}

std::vector<Row> rows()
{
    using L = ListSetup;
    using D = DisplaySetup;
    using O = ListOptions;
    using N = LearnSetup;
    const auto level = [](Level l) { return [l](O& o) { o.level = l; }; };
    const auto levelIs = [](Level l) { return [l](const O& o) { return o.level == l; }; };
    const auto type = [](ListType t) { return [t](L& s) { s.type = t; }; };
    const auto typeIs = [](ListType t) { return [t](const L& s) { return s.type == t; }; };
    const auto mode = [](LearnMode m) { return [m](N& s) { s.mode = m; }; };
    const auto modeIs = [](LearnMode m) { return [m](const N& s) { return s.mode == m; }; };
    const auto adjust = [](LevelAdjustment a) { return [a](O& o) { o.adjustment = a; }; };
    const auto adjustIs
        = [](LevelAdjustment a) { return [a](const O& o) { return o.adjustment == a; }; };
    const auto repeat = [](RepeatControl r) { return [r](O& o) { o.repeat = r; }; };
    const auto repeatIs = [](RepeatControl r) { return [r](const O& o) { return o.repeat == r; }; };
    const auto language = [](Language l) { return [l](O& o) { o.language = l; }; };
    const auto languageIs = [](Language l) { return [l](const O& o) { return o.language == l; }; };
    const auto letterCase = [](LetterCase c) { return [c](D& d) { d.letterCase = c; }; };
    const auto caseIs = [](LetterCase c) { return [c](const D& d) { return d.letterCase == c; }; };
    const SliderTriple bar { 1, 400, 250 }, countBar { 1, 10, 7 };

    return {
        { "categoryNames", 0, 27, 27, "Birds",
            [](StartupInfo& i) { i.setCategoryName(kSlot, "Birds"); },
            [](const StartupInfo& i) { return i.categoryName(kSlot) == "Birds"; } },
        { "startupUser", 1730, 2, 0, "7", [](StartupInfo& i) { i.setStartupUser(7); },
            [](const StartupInfo& i) { return i.startupUser() == 7; } },
        { "dictionaryOpened", 1732, 2, 0, "0", [](StartupInfo& i) { i.setDictionaryOpened(0); },
            [](const StartupInfo& i) { return i.dictionaryOpened() == 0; } },
        { "systemPasswordOn", 1734, 2, 0, "1", [](StartupInfo& i) { i.setSystemPasswordOn(1); },
            [](const StartupInfo& i) { return i.systemPasswordOn() == 1; } },
        { "additionalDictPath", 1777, 257, 0, "/media/backup/",
            [](StartupInfo& i) { i.setAdditionalDictPath("/media/backup/"); },
            [](const StartupInfo& i) { return i.additionalDictPath() == "/media/backup/"; } },
        { "waveformPath", 2034, 257, 0, "/srv/sounds/",
            [](StartupInfo& i) { i.setWaveformPath("/srv/sounds/"); },
            [](const StartupInfo& i) { return i.waveformPath() == "/srv/sounds/"; } },
        { "dataFolder", 2291, 257, 0, "/srv/data",
            [](StartupInfo& i) { i.setDataFolder("/srv/data"); },
            [](const StartupInfo& i) { return i.dataFolder() == "/srv/data"; } },
        { "dictionaryFolder", 2548, 257, 0, "/srv/dict",
            [](StartupInfo& i) { i.setDictionaryFolder("/srv/dict"); },
            [](const StartupInfo& i) { return i.dictionaryFolder() == "/srv/dict"; } },
        { "soundOn", 2805, 2, 2, "0", [](StartupInfo& i) { i.setSoundOn(kSlot, 0); },
            [](const StartupInfo& i) { return i.soundOn(kSlot) == 0; } },
        { "promotionThreshold", 2843, 15, 0, "85",
            [](StartupInfo& i) { i.setPromotionThreshold("85"); },
            [](const StartupInfo& i) { return decimalValue(i.promotionThreshold()) == 85; } },
        { "demotionThreshold", 2858, 15, 0, "25",
            [](StartupInfo& i) { i.setDemotionThreshold("25"); },
            [](const StartupInfo& i) { return decimalValue(i.demotionThreshold()) == 25; } },
        { "userNames", 2873, 31, 31, "Ann Lee",
            [](StartupInfo& i) { i.setUserName(kSlot, "Ann Lee"); },
            [](const StartupInfo& i) { return i.userName(kSlot) == "Ann Lee"; } },
        { "drillWindowLayout", 3183, 2, 2, "4",
            [](StartupInfo& i) { i.setDrillWindowLayout(kSlot, 4); },
            [](const StartupInfo& i) { return i.drillWindowLayout(kSlot) == 4; } },
        { "passwordOn", 3203, 2, 2, "1", [](StartupInfo& i) { i.setPasswordOn(kSlot, 1); },
            [](const StartupInfo& i) { return i.passwordOn(kSlot) == 1; },
            [](StartupInfo& i) { i.setUserPassword(kSlot, scrambled("Secret1", kSlot)); } },
        { "systemPassword", 3223, 11, 0, "Admin2",
            [](StartupInfo& i) { i.setSystemPassword(scrambled("Admin2", kSystemPasswordKey)); },
            [](const StartupInfo& i) {
                return i.systemPassword() == scrambled("Admin2", kSystemPasswordKey);
            } },
        { "browseWord", 3234, 41, 41, "ZEBRA",
            [](StartupInfo& i) { i.setBrowseWord(kSlot, "ZEBRA"); },
            [](const StartupInfo& i) { return i.browseWord(kSlot) == "ZEBRA"; } },
        { "drillLanguage", 3658, 2, 2, "2", [](StartupInfo& i) { i.setDrillLanguage(kSlot, 2); },
            [](const StartupInfo& i) { return i.drillLanguage(kSlot) == 2; } },
        { "workingCategory", 3678, 2, 2, "12",
            [](StartupInfo& i) { i.setWorkingCategory(kSlot, 12); },
            [](const StartupInfo& i) { return i.workingCategory(kSlot) == 12; } },
        { "userPasswords", 4338, 11, 11, "Secret1",
            [](StartupInfo& i) { i.setUserPassword(kSlot, scrambled("Secret1", kSlot)); },
            [](const StartupInfo& i) {
                return i.userPassword(kSlot) == scrambled("Secret1", kSlot);
            } },

        { "displaySetup.wordShowTime", 3698, 15, 64, "5",
            editPart<D>([](D& d) { d.wordShowTime = 5; }),
            partReads<D>([](const D& d) { return d.wordShowTime == 5; }) },
        { "displaySetup.answerDelay", 3698 + 15, 15, 64, "3",
            editPart<D>([](D& d) { d.answerDelay = 3; }),
            partReads<D>([](const D& d) { return d.answerDelay == 3; }) },
        { "displaySetup.spellTime", 3698 + 30, 15, 64, "45",
            editPart<D>([](D& d) { d.spellTime = 45; }),
            partReads<D>([](const D& d) { return d.spellTime == 45; }) },
        { "displaySetup.betweenWords", 3698 + 45, 15, 64, "7",
            editPart<D>([](D& d) { d.betweenWords = 7; }),
            partReads<D>([](const D& d) { return d.betweenWords == 7; }) },
        { "displaySetup.upperCase", 3698 + 60, 2, 64, "1",
            editPart<D>(letterCase(LetterCase::Upper)), partReads<D>(caseIs(LetterCase::Upper)),
            editPart<D>(letterCase(LetterCase::Lower)) },
        { "displaySetup.lowerCase", 3698 + 62, 2, 64, "1",
            editPart<D>(letterCase(LetterCase::Lower)), partReads<D>(caseIs(LetterCase::Lower)) },

        { "listSetup.minLetters", 4448, 15, 80, "7", editPart<L>([](L& l) { l.minLetters = 7; }),
            partReads<L>([](const L& l) { return l.minLetters == 7; }) },
        { "listSetup.maxLetters", 4448 + 15, 15, 80, "12",
            editPart<L>([](L& l) { l.maxLetters = 12; }),
            partReads<L>([](const L& l) { return l.maxLetters == 12; }) },
        { "listSetup.listSize", 4448 + 30, 15, 80, "33", editPart<L>([](L& l) { l.listSize = 33; }),
            partReads<L>([](const L& l) { return l.listSize == 33; }) },
        { "listSetup.oneLetter", 4448 + 45, 15, 80, "Q",
            editPart<L>([](L& l) { l.oneLetter = "Q"; }),
            partReads<L>([](const L& l) { return l.oneLetter == "Q"; }) },
        { "listSetup.predefined", 4448 + 60, 12, 80, "ST?R",
            editPart<L>([](L& l) { l.predefined = "ST?R"; }),
            partReads<L>([](const L& l) { return l.predefined == "ST?R"; }) },
        { "listSetup.typeFailures", 4448 + 72, 2, 80, "1", editPart<L>(type(ListType::Failures)),
            partReads<L>(typeIs(ListType::Failures)) },
        { "listSetup.typePredefined", 4448 + 74, 2, 80, "1",
            editPart<L>(type(ListType::Predefined)), partReads<L>(typeIs(ListType::Predefined)) },
        { "listSetup.typeOneLetter", 4448 + 76, 2, 80, "1", editPart<L>(type(ListType::OneLetter)),
            partReads<L>(typeIs(ListType::OneLetter)) },
        { "listSetup.typeRandom", 4448 + 78, 2, 80, "1", editPart<L>(type(ListType::Random)),
            partReads<L>(typeIs(ListType::Random)), editPart<L>(type(ListType::Failures)) },

        { "listOptions.adjustPractice", 5248, 2, 22, "1",
            editPart<O>(adjust(LevelAdjustment::Practice)),
            partReads<O>(adjustIs(LevelAdjustment::Practice)) },
        { "listOptions.adjustManual", 5248 + 2, 2, 22, "1",
            editPart<O>(adjust(LevelAdjustment::Manual)),
            partReads<O>(adjustIs(LevelAdjustment::Manual)),
            editPart<O>(adjust(LevelAdjustment::Auto)) },
        { "listOptions.adjustAuto", 5248 + 4, 2, 22, "1",
            editPart<O>(adjust(LevelAdjustment::Auto)),
            partReads<O>(adjustIs(LevelAdjustment::Auto)) },
        { "listOptions.repeatAll", 5248 + 6, 2, 22, "1", editPart<O>(repeat(RepeatControl::All)),
            partReads<O>(repeatIs(RepeatControl::All)),
            editPart<O>(repeat(RepeatControl::Failures)) },
        { "listOptions.repeatFailures", 5248 + 8, 2, 22, "1",
            editPart<O>(repeat(RepeatControl::Failures)),
            partReads<O>(repeatIs(RepeatControl::Failures)) },
        { "listOptions.levelElementary", 5248 + 10, 2, 22, "1",
            editPart<O>(level(Level::Elementary)), partReads<O>(levelIs(Level::Elementary)),
            editPart<O>(level(Level::Advanced)) },
        { "listOptions.levelIntermediate", 5248 + 12, 2, 22, "1",
            editPart<O>(level(Level::Intermediate)), partReads<O>(levelIs(Level::Intermediate)) },
        { "listOptions.levelAdvanced", 5248 + 14, 2, 22, "1", editPart<O>(level(Level::Advanced)),
            partReads<O>(levelIs(Level::Advanced)) },
        { "listOptions.languageUK", 5248 + 16, 2, 22, "1", editPart<O>(language(Language::UK)),
            partReads<O>(languageIs(Language::UK)) },
        { "listOptions.languageUS", 5248 + 18, 2, 22, "1", editPart<O>(language(Language::US)),
            partReads<O>(languageIs(Language::US)), editPart<O>(language(Language::UK)) },
        { "listOptions.showLanguageFlag", 5248 + 20, 2, 22, "0",
            editPart<O>([](O& o) { o.showLanguageFlag = false; }),
            partReads<O>([](const O& o) { return !o.showLanguageFlag; }) },

        { "learnSetup.learnFlash", 5468, 2, 129, "1", editPart<N>(mode(LearnMode::Flash)),
            partReads<N>(modeIs(LearnMode::Flash)) },
        { "learnSetup.learnRipple", 5468 + 2, 2, 129, "1", editPart<N>(mode(LearnMode::Ripple)),
            partReads<N>(modeIs(LearnMode::Ripple)), editPart<N>(mode(LearnMode::Flash)) },
        { "learnSetup.learnContinuous", 5468 + 4, 2, 129, "1",
            editPart<N>(mode(LearnMode::Continuous)), partReads<N>(modeIs(LearnMode::Continuous)) },
        { "learnSetup.continuousTime", 5468 + 6, 15, 129, "9",
            editPart<N>([](N& n) { n.continuousTime = 9; }),
            partReads<N>([](const N& n) { return n.continuousTime == 9; }) },
        { "learnSetup.flashDurationText", 5468 + 21, 15, 129, "250",
            editPart<N>([](N& n) { n.flashDuration = 250; }),
            partReads<N>([](const N& n) { return n.flashDuration == 250; }) },
        { "learnSetup.flashCountText", 5468 + 36, 15, 129, "4",
            editPart<N>([](N& n) { n.flashCount = 4; }),
            partReads<N>([](const N& n) { return n.flashCount == 4; }) },
        { "learnSetup.rippleDurationText", 5468 + 51, 15, 129, "200",
            editPart<N>([](N& n) { n.rippleDuration = 200; }),
            partReads<N>([](const N& n) { return n.rippleDuration == 200; }) },
        { "learnSetup.rippleCountText", 5468 + 66, 15, 129, "3",
            editPart<N>([](N& n) { n.rippleCount = 3; }),
            partReads<N>([](const N& n) { return n.rippleCount == 3; }) },
        { "learnSetup.flashDuration", 5468 + 81, 12, 129, "1,400,250",
            editPart<N>([bar](N& n) { n.flashDurationBar = bar; }),
            partReads<N>([bar](const N& n) { return n.flashDurationBar == bar; }) },
        { "learnSetup.flashCount", 5468 + 93, 12, 129, "1,10,7",
            editPart<N>([countBar](N& n) { n.flashCountBar = countBar; }),
            partReads<N>([countBar](const N& n) { return n.flashCountBar == countBar; }) },
        { "learnSetup.rippleDuration", 5468 + 105, 12, 129, "1,400,250",
            editPart<N>([bar](N& n) { n.rippleDurationBar = bar; }),
            partReads<N>([bar](const N& n) { return n.rippleDurationBar == bar; }) },
        { "learnSetup.rippleCount", 5468 + 117, 12, 129, "1,10,7",
            editPart<N>([countBar](N& n) { n.rippleCountBar = countBar; }),
            partReads<N>([countBar](const N& n) { return n.rippleCountBar == countBar; }) },
    };
}

// The value at the documented offset, read straight from the bytes, as the command line writes it.
std::string bytesAt(const StartupInfo& info, const StartupField& f, std::size_t at)
{
    const std::uint8_t* p = info.bytes().data() + at;
    switch (f.kind) {
    case StartupFieldKind::Text:
        return le::text(p, f.width);
    case StartupFieldKind::U16:
        return std::to_string(le::u16(p));
    case StartupFieldKind::Slider:
        return std::to_string(le::u32(p)) + "," + std::to_string(le::u32(p + 4)) + ","
            + std::to_string(le::u32(p + 8));
    case StartupFieldKind::Password:
        break;
    }
    return {};
}

TEST(StartupCodec, EveryFieldIsTheSameThroughTheTypedAccessorsTheBytesAndItsCommandLineName)
{
    TempFolder dir;
    ASSERT_EQ(cli(dir.path(), { "init" }).exitCode, 0);
    const std::string recordFile = dir.file("progdata/zelinf32.cfg");
    StartupInfo fresh;
    ASSERT_EQ(ReadStartupInfo(fresh, dir.path()), kStartupRead);

    std::set<std::string> covered;
    for (const Row& row : rows()) {
        SCOPED_TRACE(row.name);
        covered.insert(row.name);
        const StartupField* field = findStartupField(row.name);
        ASSERT_NE(field, nullptr);
        EXPECT_EQ(&startupField(field->id), field);
        // The table puts the field where the layout says.
        EXPECT_EQ(field->offset, row.offset);
        EXPECT_EQ(field->width, row.width);
        EXPECT_EQ(field->stride, row.stride);
        const int index = field->count == 1 ? 0 : kSlot;
        const std::size_t at = row.offset + static_cast<std::size_t>(index) * row.stride;

        StartupInfo base = fresh;
        if (row.before)
            row.before(base);
        ASSERT_FALSE(row.typedReads(base)) << "the row must change something";

        // Through the typed accessors: the value lands at its offset, and nothing outside the
        // field (or its radio group, in the same slot) changes.
        StartupInfo typed = base;
        row.typedSet(typed);
        EXPECT_TRUE(row.typedReads(typed));
        if (field->kind == StartupFieldKind::Password) {
            PasswordBytes stored {};
            std::copy_n(typed.bytes().begin() + static_cast<std::ptrdiff_t>(at), stored.size(),
                stored.begin());
            PasswordBytes plainFree {};
            EXPECT_NE(stored, plainFree);
        } else {
            EXPECT_EQ(bytesAt(typed, *field, at), row.value);
        }
        for (std::size_t i = 0; i < kStartupInfoSize; ++i) {
            if (typed.bytes()[i] == base.bytes()[i])
                continue;
            const bool inside = std::any_of(
                startupFields().begin(), startupFields().end(), [&](const StartupField& g) {
                    const bool same = &g == field
                        || (g.range.group != 0 && g.range.group == field->range.group);
                    const std::size_t start = fieldOffset(g, index);
                    return same && i >= start && i < start + g.width;
                });
            EXPECT_TRUE(inside) << "byte " << i << " changed";
        }

        // Through the command line: the same record, byte for byte.
        writeBytes(recordFile, std::vector<std::uint8_t>(base.bytes().begin(), base.bytes().end()));
        QStringList set { "startup", "set", row.name, row.value };
        if (field->count == kUserSlots)
            set << "--user" << QString::number(kSlot);
        else if (field->count == kCategorySlots)
            set << "--category" << QString::number(kSlot);
        const CliRun r = cli(dir.path(), set);
        ASSERT_EQ(r.exitCode, 0) << r.err;
        StartupInfo viaCli;
        ASSERT_EQ(ReadStartupInfo(viaCli, dir.path()), kStartupRead);
        EXPECT_EQ(viaCli.bytes(), typed.bytes());
        EXPECT_TRUE(row.typedReads(viaCli));

        // And `startup show` gives it back under its name.
        const QJsonObject shown = cli(dir.path(), { "startup", "show", "--user", "3" }).json;
        const std::string name = row.name;
        const auto dot = name.find('.');
        QJsonValue value = dot == std::string::npos
            ? shown.value(QString::fromStdString(name))
            : shown.value(QString::fromStdString(name.substr(0, dot)))
                  .toObject()
                  .value(QString::fromStdString(name.substr(dot + 1)));
        if (field->count == kCategorySlots)
            value = value.toArray().at(kSlot);
        if (field->kind == StartupFieldKind::Password) {
            PasswordBytes stored {};
            std::copy_n(typed.bytes().begin() + static_cast<std::ptrdiff_t>(at), stored.size(),
                stored.begin());
            EXPECT_EQ(value.toString().toStdString(), hexUpToNul(stored));
        } else {
            EXPECT_EQ(shownText(value), row.value);
        }
    }
    for (const StartupField& f : startupFields())
        EXPECT_TRUE(covered.count(std::string(f.name))) << f.name << " has no row";
}

} // namespace
