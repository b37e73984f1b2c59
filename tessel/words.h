#pragma once

#include <string>
#include <vector>

namespace tessel {

// The words of a text separated by spaces, in order; a null text has none.
inline std::vector<std::string> splitWords(const char *text)
{
    std::vector<std::string> words;
    std::string word;
    for (const char *c = text ? text : ""; ; ++c) {
        if (*c != ' ' && *c != '\0') {
            word += *c;
            continue;
        }
        if (!word.empty())
            words.push_back(word);
        word.clear();
        if (*c == '\0')
            return words;
    }
}

}
