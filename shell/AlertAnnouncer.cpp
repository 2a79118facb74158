#include "AlertAnnouncer.h"

#include "cAlert.h"

void AlertAnnouncer::announce(const QString &title, const QString &message)
{
    cAlert alert;
    alert.setTitle(title);
    alert.setMessage(message);
    alert.Gmail();
}
