#include "ridimschermo.h"

#include "forma.h"
#include "toolkit.h"

namespace ridimschermo {

short numerocontrolli = 0;
QPointer<Forma> formcorrente;
float larghezzaform = 0;
float altezzaform = 0;
QVector<QPointer<QWidget>> controlli;
QVector<float> sinistre;
QVector<float> cime;
QVector<float> larghezze;
QVector<float> altezze;
QVector<float> caratteri;

namespace {

// Places control i scaled by fx horizontally and fy vertically; the font
// follows fy alone. Always from the recorded design values, so no drift.
void colloca(int i, float fx, float fy)
{
    QWidget *controllo = controlli.at(i);
    if (!controllo)
        return;
    toolkit::Move(controllo, fx * sinistre.at(i), fy * cime.at(i), fx * larghezze.at(i),
                  fy * altezze.at(i));
    toolkit::setFontSize(controllo, fy * caratteri.at(i));
}

} // namespace

void preparacontrolli()
{
    const int n = std::max<int>(0, numerocontrolli) + 1;
    controlli = QVector<QPointer<QWidget>>(n);
    sinistre = QVector<float>(n);
    cime = QVector<float>(n);
    larghezze = QVector<float>(n);
    altezze = QVector<float>(n);
    caratteri = QVector<float>(n);
    // Until adattaschermo records the new form, a resize has nothing to scale from.
    larghezzaform = 0;
    altezzaform = 0;
}

void adattaschermo()
{
    if (!formcorrente)
        return;
    formcorrente->massimizza();
    // The form is not shown yet, so this is still its design size.
    larghezzaform = float(formcorrente->Width());
    altezzaform = float(formcorrente->Height());
    for (int i = 1; i <= numerocontrolli; ++i) {
        QWidget *controllo = controlli.at(i);
        if (!controllo)
            continue;
        sinistre[i] = float(toolkit::Left(controllo));
        cime[i] = float(toolkit::Top(controllo));
        larghezze[i] = float(toolkit::Width(controllo));
        altezze[i] = float(toolkit::Height(controllo));
        caratteri[i] = float(toolkit::FontSize(controllo));
    }
    if (larghezzaform <= 0 || altezzaform <= 0)
        return;
    for (int i = 1; i <= numerocontrolli; ++i) {
        const float fx = float(toolkit::ScreenWidth()) / larghezzaform;
        const float fy = float(toolkit::ScreenHeight()) / altezzaform;
        colloca(i, fx, fy);
    }
    formcorrente->setTop(0);
    formcorrente->setLeft(0);
}

void ridimensiona()
{
    if (!formcorrente || larghezzaform <= 0 || altezzaform <= 0)
        return;
    for (int i = 1; i <= numerocontrolli && i < controlli.size(); ++i) {
        const float fx = float(formcorrente->Width()) / larghezzaform;
        const float fy = float(formcorrente->Height()) / altezzaform;
        colloca(i, fx, fy);
    }
}

void azzera()
{
    numerocontrolli = 0;
    formcorrente = nullptr;
    preparacontrolli();
}

} // namespace ridimschermo
