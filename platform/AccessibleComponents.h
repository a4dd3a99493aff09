// What screen readers see of the components, through Qt's accessibility interface.
//
// Installed by the application before any window exists, so every component gets its own
// interface from the start (Qt caches the first interface it hands out for an object):
//   TSpeedButton  a push button whose press action clicks it (OnClick, guarded); its name is
//                 its accessible name only, never the caption ("--" or "1/x" say nothing);
//                 its keyboard keys are its accelerator text
//   TLabel        static text whose name is its caption, unless it has an accessible name
//   menu entries  named by SetAccessibleText, else by the caption without its "&"
#pragma once

#include <QObject>
#include <QString>

namespace numora {

class TLabel;

void InstallAccessibleComponents();

// The words a screen reader speaks for a component or a menu entry (a QAction has no
// accessible name of its own). An empty text leaves that text as it was.
void SetAccessibleText(QObject& object, const QString& name, const QString& description);

// The keyboard keys that press a key, as a screen reader reads them ("= or Enter").
void SetAccessibleKeys(QObject& object, const QString& keys);

// Tells screen readers that the label's caption changed: its name and value are the new text.
void AnnounceCaptionChange(TLabel& label);

}  // namespace numora
