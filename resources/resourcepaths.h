#pragma once

#include <QString>

// The roots of the built-in resource trees. Every ":/data/..." path is built from these.
namespace resourcepaths {

// Where binary language packages are registered (QResource::registerResource map root).
inline QString packageRoot() { return QStringLiteral("/data/languages/"); }
// Engine resources of the registered language packages.
inline QString languages() { return QStringLiteral(":/data/languages/"); }
// Recognition configuration documents, and where a language's package is registered to
// read them.
inline QString configs() { return QStringLiteral(":/data/xml/"); }
inline QString configPackageRoot() { return QStringLiteral("/data/xml/"); }
// Language-menu data, and where every package is registered in turn to list it.
inline QString languageMenu() { return QStringLiteral(":/data/lang_menu/"); }
inline QString languageMenuPackageRoot() { return QStringLiteral("/data/lang_menu/"); }
// Character sets of the engine.
inline QString charsets() { return QStringLiteral(":/data/charsets/"); }
// Pictures, icons, cursors, SVG artwork and demonstration inks.
inline QString images() { return QStringLiteral(":/data/images/"); }
// The skin document.
inline QString skin() { return QStringLiteral(":/data/skin/"); }
// Built-in interface translations.
inline QString localisations() { return QStringLiteral(":/data/localisations/"); }

} // namespace resourcepaths
