// Icons the platform theme does not provide: the Army commands and the
// program's own icon, drawn at run time so that they follow no theme.
#pragma once

#include <QIcon>

namespace ovra {

QIcon NewUnitIcon();
QIcon DeleteUnitIcon();
QIcon MinMaxIcon();
QIcon PrintIcon();
QIcon ProgramIcon();

} // namespace ovra
