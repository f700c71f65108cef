#pragma once

// The attributes of the word being worked on, shared by the dictionary tools of one run. Finding
// or loading a word fills it; the editors change it; adding, amending and storing build record
// bytes from it. Setters ignore values out of range; some getters repair a stored value that
// cannot be shown (and keep the repair).

#include "dictionary_format.h"

#include <array>
#include <cstdint>

namespace quorvel {

class CurrentWordInfo
{
public:
    std::uint16_t status(int user) const;
    void setStatus(int user, std::uint16_t value); // ignores >= 4
    std::uint16_t language(); // 0 reads (and becomes) 3
    void setLanguage(std::uint16_t value); // ignores >= 4
    std::uint16_t category(); // >= 64 reads (and becomes) 0
    void setCategory(std::uint16_t value); // ignores >= 64
    std::uint16_t addedMarker(); // >= 2 reads (and becomes) 1
    void setAddedMarker(std::uint16_t value); // ignores >= 2
    std::uint16_t soundFlag(); // >= 2 reads (and becomes) 0
    void setSoundFlag(std::uint16_t value); // ignores >= 2
    std::uint16_t mediaFlag() const { return m_media; }
    void setMediaFlag(std::uint16_t value); // ignores >= 4
    std::uint16_t soundIndex() const { return m_soundIndex; }
    void setSoundIndex(std::uint16_t value) { m_soundIndex = value; }

    // The header of a new record: Next 0, all statuses Neutral, added marker 1, sound index 0,
    // language, category, media and sound flags from this record.
    WordRecordHeader NewRecord();
    // Record bytes 4..7 from every field.
    void ComposeWordFlags(std::uint8_t out[4]);
    // Sets every field from a record header through the setters.
    void loadFrom(const WordRecordHeader& header);

private:
    std::array<std::uint16_t, 10> m_status {};
    std::uint16_t m_language = 0;
    std::uint16_t m_category = 0;
    std::uint16_t m_added = 0;
    std::uint16_t m_soundFlag = 0;
    std::uint16_t m_media = 0;
    std::uint16_t m_soundIndex = 0;
};

} // namespace quorvel
