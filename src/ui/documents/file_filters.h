#pragma once

// The bee list dialogs' filters, in the order the "File extension" setting puts them.

#include <string>

namespace quorvel::ui {

// The filters in the file dialog's form. Patterns match either case, since file names here are
// case-sensitive ("*.BEE" finds "words.bee" too), and "All Files" finds names without a dot.
std::string beeFileFilters(int fileTypeOrder);
// The extension given to a name typed without one: "bee", or "txt" while text files come first.
std::string beeDefaultSuffix(int fileTypeOrder);

} // namespace quorvel::ui
