#pragma once

#include <QObject>

#include "TestPlatform.h"
#include "app/CoreServices.h"

class WidgetTest : public QObject {
    Q_OBJECT
public:
    explicit WidgetTest(const QString& folder) : core_(platform_, (folder + "/widgets").toStdString()) {}

private slots:
    void comboListsKeepTheirSelectionLikeAWindowsList();
    void spinOnlyAnnouncesItsSteps();
    void columnsAreBalancedInOrder();
    void pagesTakeFewerColumnsInANarrowWindow();
    void areaDialogOffersTheFactoryAreaOnlyWhereAllowed();
    void progressWindowOffersCancelOnlyWhenAllowed();

private:
    vr::test::TestPlatform platform_;
    vr::app::CoreServices core_;
};
