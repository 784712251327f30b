#pragma once

#include "race/RacePair.h"

#include <QObject>
#include <QSet>
#include <QString>

class DM;
class LaneLoader;
class LaneView;
class QComboBox;
class QWidget;
class ScreenModel;

/// The lane-loading widgets of both lane cards, bound to the lane loader and
/// the screen model: the list boxes filled from their queries, the boxes'
/// texts kept in the model both ways (the race binder leaves combo boxes
/// alone), the grids over the lane queries, and the keys, clicks and focus
/// changes handed to the loader. The plate and the bonus and penalty edits
/// take digits only.
class LaneBinder : public QObject {
    Q_OBJECT
public:
    /// `root` holds every named race widget (the focus targets, the bonus
    /// and penalty edits).
    LaneBinder(LaneLoader& loader, ScreenModel& screen, DM& dm, LaneView* laneA, LaneView* laneB, QWidget* root,
               QObject* parent = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void bindLane(LaneView* view);
    void fillCategories();
    void fillRounds(Lane lane);
    void render(const QString& name);
    void focus(const QString& name);
    LaneView* view(Lane lane) const { return lane == Lane::A ? m_laneA : m_laneB; }

    LaneLoader& m_loader;
    ScreenModel& m_screen;
    DM& m_dm;
    LaneView* m_laneA;
    LaneView* m_laneB;
    QWidget* m_root;
    QSet<QString> m_boxes;  // the combo boxes whose text the model holds
    bool m_rendering = false;
};
