// What screen readers see of the components, through Qt's accessibility interface.
//
// Installed by the application before any window exists, so every component gets its own
// interface from the start (Qt caches the first interface it hands out for an object):
//   TSpeedButton  a push button whose press action clicks it (OnClick, guarded); its name is
//                 its accessible name only, never the caption ("--" or "1/x" say nothing);
//                 its keyboard keys are its accelerator text
//   TLabel        static text whose name is its caption, unless it has an accessible name
//   menu entries  named by SetAccessibleText, else by the caption without its "&"; their
//                 keys are the shortcut, else the mnemonic
//   a text field that presents a display (PresentDisplayThrough): the display's text is its
//                 text and value; its own text events never reach the readers
#pragma once

#include <QObject>
#include <QString>

class QWidget;

namespace numora {

class TLabel;

void InstallAccessibleComponents();

// The words a screen reader speaks for a component or a menu entry (a QAction has no
// accessible name of its own). An empty text leaves that text as it was.
void SetAccessibleText(QObject& object, const QString& name, const QString& description);

// The keyboard keys that press a key, as a screen reader reads them ("= or Enter").
void SetAccessibleKeys(QObject& object, const QString& keys);

// The field, which holds the keyboard focus, presents the display to screen readers: they
// speak changes of the focused object only.
void PresentDisplayThrough(QWidget& field, TLabel& display);

// Tells screen readers that the label's caption changed: its name is the new text, and the
// field that presents it (if any) tells the change as its own text.
void AnnounceCaptionChange(TLabel& label);

}  // namespace numora
