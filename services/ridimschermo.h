#pragma once

#include <QPointer>
#include <QVector>
#include <QWidget>

class Forma;

// Fits a screen laid out at a fixed design size to the display: the screen
// registers its controls, adattaschermo records their design geometry and
// font sizes and maximizes the form, and ridimensiona places every control
// again, scaled from those recorded values, whenever the form changes size.
// One registry for the whole program, holding the form that registered last.
namespace ridimschermo {

extern short numerocontrolli;
extern QPointer<Forma> formcorrente;
extern float larghezzaform;
extern float altezzaform;
extern QVector<QPointer<QWidget>> controlli;
extern QVector<float> sinistre;
extern QVector<float> cime;
extern QVector<float> larghezze;
extern QVector<float> altezze;
extern QVector<float> caratteri;

// Sizes the registry to entries 0..numerocontrolli, all empty.
void preparacontrolli();
// Maximizes formcorrente, records the design values, fits the controls to the screen.
void adattaschermo();
// Places every registered control for formcorrente's current size.
void ridimensiona();

// Empties the registry, as at program start.
void azzera();

} // namespace ridimschermo
