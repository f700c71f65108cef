#include "help/about_info.h"

#include "help/version_info.h"
#include "strings/help_strings.h"

namespace quorvel::help {

namespace {

std::optional<std::string> present(const char* value)
{
    if (value == nullptr || *value == '\0')
        return std::nullopt;
    return std::string(value);
}

} // namespace

VersionValues programVersionValues()
{
    return { present(QUORVEL_PRODUCT_NAME), present(QUORVEL_PRODUCT_VERSION),
        present(QUORVEL_FILE_VERSION), present(QUORVEL_LEGAL_COPYRIGHT),
        present(QUORVEL_SPECIAL_BUILD) };
}

AboutLines aboutLines(const VersionValues& values)
{
    AboutLines lines { strings::kAboutCaption, strings::kAboutFixedLine, strings::kAboutVersionWord,
        strings::kAboutLegalLine, strings::kAboutSpecialBuildLine };
    // The version line needs both halves; with either missing it keeps its own word.
    if (values.productName && values.productVersion)
        lines.versionLine
            = *values.productName + ' ' + strings::kAboutVersionWord + ' ' + *values.productVersion;
    if (values.legalCopyright)
        lines.legalLine = *values.legalCopyright;
    if (values.specialBuild)
        lines.specialBuildLine = *values.specialBuild;
    return lines;
}

} // namespace quorvel::help
