#pragma once

#include "dictionary/dictionary_editor.h"

#include <QDialog>

#include <functional>
#include <map>

class QButtonGroup;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTimer;

namespace quorvel {
class SettingsFile;
class SoundDevice;
class SoundRecorder;
} // namespace quorvel

namespace quorvel::ui {

struct UiContext;

// The "Dictionary Editor": one word looked up, added, amended or erased at a time, its status for
// a chosen user, the words of its category around it, and its recorded sound. The dialog shows
// what the DictionaryEditor model decides; Enter repeats the last word action (its button is
// drawn in bold), and while a recording runs only stopping it is taken.
class DictionaryEditorDialog final : public QDialog
{
    Q_OBJECT
public:
    // `sound` plays (null: no sound card); `recorder` records (null: nothing to record from);
    // `settings` holds the recording format.
    DictionaryEditorDialog(UiContext& context, SoundDevice* sound, SoundRecorder* recorder,
        SettingsFile* settings, QWidget* parent = nullptr);
    ~DictionaryEditorDialog() override;

    // False when the dictionary could not be opened: the message was shown and the dialog must
    // not be run.
    bool opened() const { return m_opened; }
    bool changed() const { return m_model.changed(); }
    bool recording() const { return m_recording; }
    static constexpr int kHelpContext = 233;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void done(int result) override;

private:
    // Runs a word or sound action with the wait cursor and its button shown pressed, then shows
    // the model and carries out its effects.
    void run(QPushButton* button, const std::function<EditorEffects()>& action);
    void apply(const EditorEffects& effects);
    void showModel();
    void play(const std::string& path);
    void getWaveform();
    void toggleRecording();
    void startRecording();
    void recordingFailed(const std::string& reason);
    void stopRecording();
    void pollRecording();
    std::string typedWord() const;

    UiContext& m_context;
    SoundDevice* m_sound;
    SoundRecorder* m_recorder;
    SettingsFile* m_settings;
    DefaultRandomSource m_random;
    DictionaryEditor m_model;
    bool m_opened = false;
    bool m_recording = false;
    bool m_closing = false;

    QLineEdit* m_word;
    QLabel* m_result;
    QComboBox* m_category;
    QComboBox* m_user;
    QLabel* m_status;
    QListWidget* m_list;
    QButtonGroup* m_language;
    QButtonGroup* m_soundFlag;
    QButtonGroup* m_media;
    QLabel* m_added;
    QLabel* m_soundStatus;
    QLineEdit* m_waveform;
    QPushButton* m_recordButton;
    QLabel* m_recordingMarker;
    QTimer* m_recordTimer;
    std::map<EditorAction, QPushButton*> m_actionButtons;
};

// Command 233: runs the editor. True when it changed the dictionary.
bool runDictionaryEditor(UiContext& context, QWidget* parent = nullptr,
    SoundDevice* sound = nullptr, SoundRecorder* recorder = nullptr,
    SettingsFile* settings = nullptr);

} // namespace quorvel::ui
