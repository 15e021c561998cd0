#pragma once

#include <QObject>

class WidgetTest : public QObject {
    Q_OBJECT
private slots:
    void comboListsKeepTheirSelectionLikeAWindowsList();
    void spinOnlyAnnouncesItsSteps();
    void columnsAreBalancedInOrder();
    void areaDialogOffersTheFactoryAreaOnlyWhereAllowed();
};
