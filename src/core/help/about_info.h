#pragma once

// The lines of the about box. The version values are generated from the project version when the
// program is configured; a value that is missing leaves its line with the box's own text.

#include <optional>
#include <string>

namespace quorvel::help {

struct VersionValues
{
    std::optional<std::string> productName;
    std::optional<std::string> productVersion; // "2.0"
    std::optional<std::string> fileVersion; // "2.0.0.0"
    std::optional<std::string> legalCopyright;
    std::optional<std::string> specialBuild;
};

// This build's values; an empty generated value counts as missing.
VersionValues programVersionValues();

struct AboutLines
{
    std::string caption;
    std::string fixedLine;
    std::string versionLine; // "Quorvel Version 2.0"
    std::string legalLine;
    std::string specialBuildLine;
};

AboutLines aboutLines(const VersionValues& values);

} // namespace quorvel::help
