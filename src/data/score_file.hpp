// Score files, and the other files games running at once share, are saved
// whole: what a save writes is merged with the file as it stands at that
// moment, under a lock on its folder (made, private, when missing), and
// swapped in through a temporary file, so that games ending together each
// keep theirs and a failed save leaves the old file as it was.
#pragma once

#include <functional>
#include <string>

// `merge` turns the stored text ("" when there is none) into the new text;
// false, with the reason in `error` ("PATH: STEP: WHY"), when nothing was saved.
bool SaveMerged(const std::string& path, const std::function<std::string(const std::string& stored)>& merge,
                std::string& error);
