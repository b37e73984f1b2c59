#pragma once

#include <QString>

// The address where updates are found when no links file names one.
QString defaultLink();

// Where the installation may name another address: "links.txt" in the program's folder of
// the common application data.
QString linksFilePath();

// The first line of the links file with its white space simplified; empty when the file
// cannot be read or names nothing. The whole line counts, so a long address is not cut.
QString linkFromFile();

// The link of the links file, or the default link when the file gives none.
QString readLinks();
