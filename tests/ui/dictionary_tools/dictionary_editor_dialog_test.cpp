// The dictionary editor dialog offscreen, with a sound device and a recorder that only pretend.

#include "app/session.h"
#include "config/settings_file.h"
#include "config/settings_groups.h"
#include "dictionary/dictionary_check.h"
#include "dictionary/dictionary_file.h"
#include "dictionary/dictionary_ops.h"
#include "dictionary_tools/dictionary_editor_dialog.h"
#include "platform/paths.h"
#include "sound/sound_device.h"
#include "sound/sound_recorder.h"
#include "strings/editor_strings.h"
#include "strings/strings.h"
#include "support/dialog_world.h"
#include "support/dictionary_test_support.h"
#include "support/modal.h"

#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include <filesystem>

namespace quorvel::test {
namespace {

Bytes waveBytes()
{
    return { 'R', 'I', 'F', 'F', 36, 0, 0, 0, 'W', 'A', 'V', 'E', 'f', 'm', 't', ' ', 16, 0, 0, 0,
        1, 0, 1, 0, 0x22, 0x56, 0, 0, 0x22, 0x56, 0, 0, 1, 0, 8, 0, 'd', 'a', 't', 'a', 0, 0, 0,
        0 };
}

class FakeSound final : public SoundDevice
{
public:
    std::vector<std::string> outputDevices() override { return { "Fake output" }; }
    std::vector<std::string> inputDevices() override { return {}; }
    PlayStart play(const std::string& path, std::string&) override
    {
        played.push_back(path);
        return PlayStart::Started;
    }
    PlayStart playSamples(const std::int16_t*, std::size_t, int, std::string&) override
    {
        return PlayStart::Started;
    }
    bool finished() override { return true; }
    void waitUntilFinished() override { }
    void stop() override { ++stops; }
    std::string takePlayError() override { return {}; }
    std::vector<std::string> played;
    int stops = 0;
};

// Records nothing; a stop writes a small wave file where it is asked to.
class FakeRecorder final : public SoundRecorder
{
public:
    std::vector<std::string> inputDevices() override { return devices; }
    RecordStart start(const RecordingFormat& format, std::string&) override
    {
        formats.push_back(format);
        m_on = true;
        return RecordStart::Started;
    }
    bool isRecording() override { return m_on; }
    bool stopAndSave(const std::string& path, std::string& error) override
    {
        m_on = false;
        if (!saveError.empty()) {
            error = saveError;
            return false;
        }
        writeBytes(path, waveBytes());
        saved.push_back(path);
        return true;
    }
    void cancel() override
    {
        m_on = false;
        ++cancelled;
    }
    void endByItself() { m_on = false; }

    std::vector<std::string> devices { "Fake microphone" };
    std::vector<RecordingFormat> formats;
    std::vector<std::string> saved;
    std::string saveError; // when set, a save fails with this reason
    int cancelled = 0;

private:
    bool m_on = false;
};

struct EditorDialogFixture : ::testing::Test, DialogWorld
{
    FakeSound sound;
    FakeRecorder recorder;
    SettingsFile settings { folder.file("Fenwa.ini") };

    void SetUp() override
    {
        DictionaryEntry cherry = entry("CHERRY", 0, 2);
        cherry.media = 1;
        writeBytes(
            paths::dictionaryFile(folder.path()), buildDictionaryImage({ entry("APPLE"), cherry }));
    }
    CurrentWordInfo find(const std::string& word, FindResult* result = nullptr) const
    {
        DictionaryHandle file = openDictionaryFile(paths::dictionaryFile(folder.path()), false);
        CurrentWordInfo info;
        const FindResult r = file ? FindWord(*file, word, info) : FindResult::FileError;
        if (result)
            *result = r;
        return info;
    }
    bool dictionaryIsSound() const
    {
        DictionaryHandle file = openDictionaryFile(paths::dictionaryFile(folder.path()), false);
        return file && checkDictionary(*file).ok;
    }
    static QStringList listed(QWidget* dialog)
    {
        QStringList words;
        auto* list = child<QListWidget>(dialog, "wordList");
        for (int i = 0; i < list->count(); ++i)
            words << list->item(i)->text();
        return words;
    }
    static bool bold(QWidget* dialog, const char* button)
    {
        return child<QPushButton>(dialog, button)->font().bold();
    }
};

TEST_F(EditorDialogFixture, AddLinkAndARefusedEraseKeepEveryUsersStatus)
{
    ui::DictionaryEditorDialog dialog(context, &sound, &recorder, &settings);
    ASSERT_TRUE(dialog.opened());
    dialog.show();
    auto* word = child<QLineEdit>(&dialog, "wordEdit");
    auto* result = child<QLabel>(&dialog, "resultLine");
    EXPECT_EQ(listed(&dialog), (QStringList { "APPLE", "CHERRY" }));
    EXPECT_TRUE(bold(&dialog, "searchButton"));

    typeInto(word, QStringLiteral("zebra"));
    child<QPushButton>(&dialog, "addButton")->click();
    EXPECT_EQ(result->text(), strings::kInserted);
    EXPECT_EQ(listed(&dialog), (QStringList { "ZEBRA", "APPLE", "CHERRY" }));
    EXPECT_TRUE(bold(&dialog, "addButton"));
    EXPECT_FALSE(bold(&dialog, "searchButton"));

    // Choosing CHERRY in the list shows it; another user's status shows without changing it.
    child<QListWidget>(&dialog, "wordList")->setCurrentRow(2);
    EXPECT_EQ(word->text(), "CHERRY");
    EXPECT_EQ(child<QLabel>(&dialog, "statusLine")->text(), "Status: Successful");
    child<QComboBox>(&dialog, "userBox")->setCurrentIndex(6);
    EXPECT_EQ(child<QLabel>(&dialog, "statusLine")->text(), "Status: Successful");

    // A "Free" category is refused in the box.
    auto* category = child<QComboBox>(&dialog, "categoryBox");
    category->setCurrentIndex(4);
    Q_EMIT category->activated(4);
    EXPECT_EQ(category->currentIndex(), 0);
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].text, strings::kCannotSelectUnnamed);

    // Get waveform and link.
    const std::string recorded = folder.file("mydata/newwave/take.wav");
    std::filesystem::create_directories(folder.file("mydata/newwave"));
    writeBytes(recorded, waveBytes());
    asker.files = { recorded };
    child<QPushButton>(&dialog, "getWaveformButton")->click();
    EXPECT_EQ(child<QLineEdit>(&dialog, "waveformEdit")->text().toStdString(), recorded);
    child<QPushButton>(&dialog, "linkButton")->click();
    EXPECT_EQ(prompter.shown.size(), 1u);
    const int index = find("CHERRY").soundIndex();
    ASSERT_GT(index, 0);
    const QString name = child<QLabel>(&dialog, "soundStatus")->text();
    EXPECT_EQ(name, QStringLiteral("CHER%1.wav").arg(index, 4, 10, QLatin1Char('0')));
    EXPECT_TRUE(fileExists(folder.file("waveform/Cwavefrm/" + name.toStdString())));
    EXPECT_FALSE(fileExists(recorded));
    EXPECT_EQ(child<QLineEdit>(&dialog, "waveformEdit")->text(), "");
    child<QPushButton>(&dialog, "playLinkedButton")->click();
    EXPECT_EQ(sound.played,
        std::vector<std::string> { folder.file("waveform/Cwavefrm/" + name.toStdString()) });

    // Erase is refused while the sound is linked; Enter repeats it.
    child<QPushButton>(&dialog, "eraseButton")->click();
    EXPECT_TRUE(bold(&dialog, "eraseButton"));
    QTest::keyClick(word, Qt::Key_Return);
    ASSERT_EQ(prompter.shown.size(), 3u);
    EXPECT_EQ(prompter.shown[1].text, strings::kSoundStillLinked);
    EXPECT_EQ(prompter.shown[2].text, strings::kSoundStillLinked);
    FindResult r;
    const CurrentWordInfo cherry = find("CHERRY", &r);
    EXPECT_EQ(r, FindResult::InMain);
    for (int user = 0; user < kUserSlots; ++user)
        EXPECT_EQ(cherry.status(user), 2) << user;
    EXPECT_TRUE(dictionaryIsSound());
    EXPECT_TRUE(dialog.changed());
    child<QPushButton>(&dialog, "doneButton")->click();
    EXPECT_GT(sound.stops, 0);
}

TEST_F(EditorDialogFixture, ARecordingIsSavedOnStopOnEnterOrWhenItEndsByItself)
{
    ASSERT_TRUE(writeRecordingData(settings, { 44100, 16, 2 }));
    ui::DictionaryEditorDialog dialog(context, &sound, &recorder, &settings);
    dialog.show();
    auto* record = child<QPushButton>(&dialog, "recordButton");
    auto* waveform = child<QLineEdit>(&dialog, "waveformEdit");
    auto* result = child<QLabel>(&dialog, "resultLine");
    const std::string target = folder.file("mydata/newwave/recorded.wav");

    record->click();
    ASSERT_TRUE(dialog.recording());
    EXPECT_EQ(record->text(), strings::kEditorStopRecording);
    EXPECT_TRUE(child<QLabel>(&dialog, "recordingMarker")->isVisible());
    EXPECT_EQ(recorder.formats.back(), (RecordingFormat { 44100, 16, 2 }));
    // Other actions wait while it records.
    typeInto(child<QLineEdit>(&dialog, "wordEdit"), QStringLiteral("APPLE"));
    child<QPushButton>(&dialog, "searchButton")->click();
    EXPECT_EQ(result->text(), "");
    record->click();
    EXPECT_FALSE(dialog.recording());
    EXPECT_EQ(record->text(), strings::kEditorStartRecording);
    EXPECT_EQ(waveform->text().toStdString(), target);
    EXPECT_EQ(readBytes(target), waveBytes());

    // Enter stops and saves instead of repeating the word action.
    waveform->clear();
    record->click();
    QTest::keyClick(child<QLineEdit>(&dialog, "wordEdit"), Qt::Key_Return);
    EXPECT_FALSE(dialog.recording());
    EXPECT_EQ(waveform->text().toStdString(), target);
    EXPECT_EQ(result->text(), "");

    // A recording that ends by itself is saved by the dialog's poll.
    waveform->clear();
    record->click();
    recorder.endByItself();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !dialog.recording(); }, 3000));
    EXPECT_EQ(waveform->text().toStdString(), target);
    EXPECT_EQ(recorder.saved.size(), 3u);
    EXPECT_TRUE(prompter.shown.empty());
}

// A recording that cannot be saved says why, and the field keeps the waveform chosen before.
TEST_F(EditorDialogFixture, ARecordingThatCannotBeSavedSaysWhy)
{
    ui::DictionaryEditorDialog dialog(context, &sound, &recorder, &settings);
    auto* record = child<QPushButton>(&dialog, "recordButton");
    auto* waveform = child<QLineEdit>(&dialog, "waveformEdit");
    waveform->setText(QStringLiteral("/somewhere/chosen.wav"));
    recorder.saveError = "Cannot save the recording as recorded.wav: No space left on device";
    record->click();
    record->click();
    EXPECT_FALSE(dialog.recording());
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].text,
        std::string(strings::kUnableToRecord) + "\r\n" + recorder.saveError);
    EXPECT_EQ(waveform->text(), QStringLiteral("/somewhere/chosen.wav"));
    EXPECT_EQ(recorder.cancelled, 1);

    // A newwave folder that cannot be made is named.
    prompter.shown.clear();
    recorder.saveError.clear();
    std::filesystem::remove_all(folder.file("mydata/newwave"));
    writeBytes(folder.file("mydata/newwave"), waveBytes()); // a file where the folder goes
    record->click();
    record->click();
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_NE(prompter.shown[0].text.find(strings::kNoWaveformFolder), std::string::npos)
        << prompter.shown[0].text;
    EXPECT_TRUE(recorder.saved.empty());
}

TEST_F(EditorDialogFixture, WithoutAnInputDeviceRecordingIsRefused)
{
    for (const bool hasRecorder : { true, false }) {
        SCOPED_TRACE(hasRecorder);
        prompter.shown.clear();
        recorder.devices.clear();
        ui::DictionaryEditorDialog dialog(
            context, &sound, hasRecorder ? &recorder : nullptr, &settings);
        child<QPushButton>(&dialog, "recordButton")->click();
        EXPECT_FALSE(dialog.recording());
        ASSERT_EQ(prompter.shown.size(), 1u);
        EXPECT_EQ(prompter.shown[0].text, strings::kNoInputDevice);
        EXPECT_EQ(prompter.shown[0].caption, strings::kWarningPlain);
    }
    EXPECT_TRUE(recorder.formats.empty());
}

TEST_F(EditorDialogFixture, AMissingDictionaryIsReportedAndTheEditorDoesNotOpen)
{
    std::filesystem::remove(paths::dictionaryFile(folder.path()));
    EXPECT_FALSE(ui::runDictionaryEditor(context, nullptr, &sound, &recorder, &settings));
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].text, strings::kUnableToOpenDictionary);
}

} // namespace
} // namespace quorvel::test
