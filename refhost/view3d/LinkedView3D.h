#pragma once

#include "refhost/view3dapi/View3DFactory.h"

namespace corvelle::view3d {

// The factory of the view linked into this program: ModelView3D.
class LinkedView3DFactory final : public View3DFactory {
public:
    QWidget *createView(const shed::Model &model, shed::Shading shading, QWidget *parent) const override;
    void showModel(QWidget *view, const shed::Model *model, const QList<int> &warned) const override;
    void setPickNote(QWidget *view, std::function<QString(int)> pickNote) const override;
    void setShading(QWidget *view, shed::Shading shading) const override;
    void setUnits(QWidget *view, shed::Units units) const override;
    QImage grabWithScenes(QWidget *widget) const override;
    void afterNextFrames(QWidget *widget, QObject *context, std::function<void()> done) const override;
};

// Makes the host's views use the view linked into this program rather than the plugin.
void useLinkedView3D();

} // namespace corvelle::view3d
