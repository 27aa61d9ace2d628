// The boards as a page for people: one table per difficulty, each entry a
// link that watches its run.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "store.hpp"

// `boards`: each difficulty's name and entries, in order. With `watchable`
// the entries open the browser build served under /play/ on their replay;
// else they link to the replay file.
std::string BoardPage(const std::vector<std::pair<std::string, std::vector<BoardEntry>>>& boards, bool watchable);
