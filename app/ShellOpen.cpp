#include "app/ShellOpen.h"

#include <QDesktopServices>

namespace {
UrlOpener g_opener;
}

bool ShellOpen(const QUrl& url) { return g_opener ? g_opener(url) : QDesktopServices::openUrl(url); }

UrlOpener SetUrlOpener(UrlOpener opener) {
    UrlOpener previous = std::move(g_opener);
    g_opener = std::move(opener);
    return previous;
}
