#include "current_word_info.h"

namespace quorvel {

std::uint16_t CurrentWordInfo::status(int user) const
{
    return user >= 0 && user < 10 ? m_status[static_cast<std::size_t>(user)] : 0;
}

void CurrentWordInfo::setStatus(int user, std::uint16_t value)
{
    if (user >= 0 && user < 10 && value < 4)
        m_status[static_cast<std::size_t>(user)] = value;
}

std::uint16_t CurrentWordInfo::language()
{
    if (m_language == 0)
        m_language = 3;
    return m_language;
}

void CurrentWordInfo::setLanguage(std::uint16_t value)
{
    if (value < 4)
        m_language = value;
}

std::uint16_t CurrentWordInfo::category()
{
    if (m_category >= 64)
        m_category = 0;
    return m_category;
}

void CurrentWordInfo::setCategory(std::uint16_t value)
{
    if (value < 64)
        m_category = value;
}

std::uint16_t CurrentWordInfo::addedMarker()
{
    if (m_added >= 2)
        m_added = 1;
    return m_added;
}

void CurrentWordInfo::setAddedMarker(std::uint16_t value)
{
    if (value < 2)
        m_added = value;
}

std::uint16_t CurrentWordInfo::soundFlag()
{
    if (m_soundFlag >= 2)
        m_soundFlag = 0;
    return m_soundFlag;
}

void CurrentWordInfo::setSoundFlag(std::uint16_t value)
{
    if (value < 2)
        m_soundFlag = value;
}

void CurrentWordInfo::setMediaFlag(std::uint16_t value)
{
    if (value < 4)
        m_media = value;
}

WordRecordHeader CurrentWordInfo::NewRecord()
{
    WordRecordHeader h;
    for (int u = 0; u < 10; ++u)
        h.setStatus(u, 1);
    h.setMediaFlag(m_media);
    h.setLanguage(language());
    h.setCategory(category());
    h.setAddedMarker(1);
    h.setSoundFlag(soundFlag());
    return h;
}

void CurrentWordInfo::ComposeWordFlags(std::uint8_t out[4])
{
    WordRecordHeader h;
    for (int u = 0; u < 10; ++u)
        h.setStatus(u, m_status[static_cast<std::size_t>(u)]);
    h.setMediaFlag(m_media);
    h.setLanguage(language());
    h.setCategory(category());
    h.setAddedMarker(addedMarker());
    h.setSoundFlag(soundFlag());
    for (int i = 0; i < 4; ++i)
        out[i] = h.flags[i];
}

void CurrentWordInfo::loadFrom(const WordRecordHeader& header)
{
    for (int u = 0; u < 10; ++u)
        setStatus(u, static_cast<std::uint16_t>(header.status(u)));
    setMediaFlag(static_cast<std::uint16_t>(header.mediaFlag()));
    setLanguage(static_cast<std::uint16_t>(header.rawLanguage()));
    setCategory(static_cast<std::uint16_t>(header.category()));
    setAddedMarker(static_cast<std::uint16_t>(header.addedMarker()));
    setSoundFlag(static_cast<std::uint16_t>(header.soundFlag()));
    setSoundIndex(header.soundIndex);
}

} // namespace quorvel
