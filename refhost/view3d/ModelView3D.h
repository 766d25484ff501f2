#pragma once

#include "SceneMesh.h"
#include "shed/Design.h"
#include "shed/Model.h"
#include "shed/Units.h"

#include <QColor>
#include <QImage>
#include <QObject>
#include <QQuaternion>
#include <QVector3D>
#include <QWidget>

#include <array>
#include <functional>
#include <memory>
#include <optional>

class QCheckBox;
class QComboBox;
class QKeyEvent;
class QLabel;
class QQuickView;
class QWindow;
class QQuick3DGeometry;

namespace corvelle::view3d {

class MeshGeometry;
class SceneFrame;

enum class ViewPreset { Front, Back, Left, Right, Top, ThreeQuarter };

// What the scene shows, bound by Scene.qml: camera, shading mode and visible layers.
class SceneState : public QObject {
    Q_OBJECT
    Q_PROPERTY(int shading READ shading NOTIFY changed)
    Q_PROPERTY(int layerMask READ layerMask NOTIFY changed)
    Q_PROPERTY(int layerCount READ layerCount CONSTANT)
    Q_PROPERTY(QColor background READ background NOTIFY changed)
    Q_PROPERTY(QVector3D cameraPosition READ cameraPosition NOTIFY cameraChanged)
    Q_PROPERTY(QQuaternion cameraRotation READ cameraRotation NOTIFY cameraChanged)
    Q_PROPERTY(float fieldOfView READ fieldOfView CONSTANT)
    Q_PROPERTY(float clipNear READ clipNear NOTIFY cameraChanged)
    Q_PROPERTY(float clipFar READ clipFar NOTIFY cameraChanged)
public:
    explicit SceneState(QObject *parent = nullptr);

    int shading() const { return shading_; }
    int layerMask() const { return int(layerMask_); }
    int layerCount() const { return shed::LayerCount; }
    QColor background() const;
    QVector3D cameraPosition() const;
    QQuaternion cameraRotation() const;
    float fieldOfView() const { return 45.0f; }
    float clipNear() const;
    float clipFar() const;
    Q_INVOKABLE QQuick3DGeometry *faces(int layer) const;
    Q_INVOKABLE QQuick3DGeometry *flatFaces(int layer) const;
    Q_INVOKABLE QQuick3DGeometry *plainFaces(int layer) const;
    Q_INVOKABLE QQuick3DGeometry *edges(int layer) const;
    Q_INVOKABLE QQuick3DGeometry *frontEdges(int layer) const;

    // Orbit camera around `target`; yaw 0 looks at the front wall, 90 at the right wall (X = 0).
    float yaw = 30, pitch = 25, distance = 600;
    QVector3D target;
    float sceneRadius = 200; // of the whole model around its centre: bounds the depth range
    QVector3D sceneCentre;
    unsigned layerMask_ = (1u << shed::LayerCount) - 1;
    int shading_ = int(shed::Shading::Smooth);
    std::array<MeshGeometry *, shed::LayerCount> faceGeometry{};
    std::array<MeshGeometry *, shed::LayerCount> flatFaceGeometry{};
    std::array<MeshGeometry *, shed::LayerCount> plainFaceGeometry{};
    std::array<MeshGeometry *, shed::LayerCount> edgeGeometry{};
    // Hidden line's: the edges less those behind their own member, kept for the camera.
    std::array<MeshGeometry *, shed::LayerCount> frontEdgeGeometry{};
    std::array<LayerMesh, shed::LayerCount> meshes;

    QVector3D eyeDirection() const; // from the target towards the camera
    void updateFrontEdges();
    void notify();
    // Orbiting re-evaluates only the camera's bindings, not every model's and material's.
    void notifyCamera();

Q_SIGNALS:
    void changed();
    void cameraChanged();
};

// The 3D view of a shed model: the scene plus the controls a builder turns it with.
class ModelView3D : public QWidget {
    Q_OBJECT
public:
    explicit ModelView3D(QWidget *parent = nullptr);
    ~ModelView3D() override;

    void setModel(const shed::Model &model);
    const shed::Model &model() const { return model_; }
    // Members drawn in the warning colour (indices into the model), keeping the camera.
    void setWarnedMembers(const QList<int> &members);
    // What a pick adds about the member (its structural check), after what it is.
    void setPickNote(std::function<QString(int)> note) { pickNote_ = std::move(note); }

    void setShading(shed::Shading shading);
    shed::Shading shading() const { return shed::Shading(state_->shading_); }
    void setLayerVisible(shed::Layer layer, bool visible);
    bool isLayerVisible(shed::Layer layer) const;
    void setPreset(ViewPreset preset);
    void fitToView();
    void orbit(float dYaw, float dPitch);
    void pan(QPointF pixels);
    void zoom(float factor);

    // The member under a point of the view (widget coordinates), among the visible layers.
    std::optional<int> memberAt(QPointF point) const;
    void pick(QPointF point);
    QString pickedText() const;
    // What the pick information writes lengths and stock sizes in; a shown pick follows.
    void setUnits(shed::Units units);
    shed::Units units() const { return units_; }
    // Names the member at the centre of the view, as Enter does, and tells screen readers.
    QString describeCentre();

    // What the keys do with the view focused: arrows orbit, Shift+arrows pan, + and -
    // zoom, Home fits, 1 to 4 set the shading, Enter describes. False for any other key.
    bool handleKey(QKeyEvent *event);
    static QString keyHelp();
    // The widget that holds the keyboard focus for the scene (named "3D view").
    QWidget *focusTarget() const;

    QImage renderImage();          // the view's last frame
    // A picture of `widget` with every 3D scene in it: QWidget::grab leaves the scenes'
    // own windows out.
    static QImage grabWithScenes(QWidget *widget);
    QWidget *sceneWidget() const { return container_; }
    QWindow *sceneWindow() const;
    void requestFrame();
    SceneState *state() const { return state_.get(); }

Q_SIGNALS:
    void memberPicked(int index);  // -1 when the click hit nothing
    void frameShown();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    Bounds visibleBounds() const;
    void describe(int index);

    void uploadMeshes();

    shed::Model model_;
    QStringList marks_; // of each member
    QSet<int> warned_;
    std::function<QString(int)> pickNote_;
    std::unique_ptr<SceneState> state_;
    QQuickView *quick_;
    SceneFrame *frame_;
    QWidget *container_;
    QComboBox *modeBox_;
    std::array<QCheckBox *, shed::LayerCount> layerBoxes_{};
    QLabel *info_;
    shed::Units units_;
    int picked_ = -2; // the member the information describes; -1 nothing hit, -2 no pick yet
    QPoint pressPos_, lastPos_;
    bool dragged_ = false;
};

} // namespace corvelle::view3d
