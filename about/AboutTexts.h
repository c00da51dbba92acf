#pragma once
// What the About window shows and opens, as plain functions of the version information and
// the addresses, so that they are checked without a window.

#include <QRect>
#include <QString>
#include <QUrl>

namespace zarvok::about {

inline const QString kCaption = QStringLiteral("About "); // the word and one blank
// The lead-in of the link line: the home-page link sits in the blanks after its words, the
// e-mail link after its "or ".
inline const QString kLeadInWords = QStringLiteral("Go to Vantrel Homepage");
inline const QString kLinkLeadIn = kLeadInWords + QString(20, QLatin1Char(' ')) + QStringLiteral("or ");

// "version 3.280": the minor number is not shown.
QString versionText(int major, int revision);
// Backslash-n becomes a line break, then every "(c)" becomes "©".
QString copyrightText(const QString& legalCopyright);
// The licence text followed by the home page; the licence's lines are joined into paragraphs,
// so that the text box wraps them at its own width.
QString distributionTerms(const QString& licence, const QString& homePage);
// "mailto:ADDRESS?subject=SUBJECT", the subject percent-encoded so that mail programs read it
// back exactly ("&", "+", "#" and "%" included).
QUrl mailtoLink(const QString& address, const QString& subject);

// Where a window of the given frame size goes: centred over the owner's frame, moved inside
// the owner's screen when it would stick out.
QRect centredOver(const QRect& owner, const QSize& size, const QRect& screen);

} // namespace zarvok::about
