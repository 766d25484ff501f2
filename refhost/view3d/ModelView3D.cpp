#include "ModelView3D.h"

#include "MeshGeometry.h"

#include "shed/Marks.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QQmlContext>
#include <QQuickView>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWheelEvent>

#include <cmath>

namespace corvelle::view3d {

namespace {

constexpr float OrbitDegreesPerPixel = 0.4f;
constexpr float WheelStep = 0.85f;     // distance factor per wheel notch
constexpr float ClickSlopPixels = 4;   // a press that moves less than this is a pick
constexpr float MaxPitch = 89.5f;      // straight down would lose the up vector
constexpr float KeyOrbitDegrees = 10;  // an arrow key's turn
constexpr float KeyPanPixels = 40;     // Shift with an arrow key: a pan of this many pixels
constexpr int FocusFrameWidth = 2;

float radians(float degrees) { return degrees * float(M_PI) / 180.0f; }

QString capitalised(QString s)
{
    if (!s.isEmpty())
        s[0] = s[0].toUpper();
    return s;
}

} // namespace

// The 3D view's place in the window: it takes the keyboard focus, shows it with a frame
// around the scene, and hands the keys to its view. The scene's own window cannot take
// part in the widgets' Tab chain, so it never holds the focus.
class SceneFrame : public QWidget {
    Q_OBJECT
public:
    SceneFrame(ModelView3D *view) : QWidget(view), view_(view)
    {
        setObjectName(QStringLiteral("view3dScene"));
        setFocusPolicy(Qt::StrongFocus);
        setContentsMargins(FocusFrameWidth, FocusFrameWidth, FocusFrameWidth, FocusFrameWidth);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        const QPalette::ColorRole role = hasFocus() ? QPalette::Highlight : QPalette::Window;
        p.fillRect(rect(), palette().color(role));
    }
    void keyPressEvent(QKeyEvent *event) override
    {
        if (!view_->handleKey(event))
            QWidget::keyPressEvent(event);
    }

private:
    ModelView3D *view_;
};

namespace {

// A screen reader hears the view as a canvas rather than an unnamed filler.
QAccessibleInterface *sceneAccessible(const QString &className, QObject *object)
{
    if (className == QLatin1String("corvelle::view3d::SceneFrame") && object->isWidgetType())
        return new QAccessibleWidget(static_cast<QWidget *>(object), QAccessible::Canvas);
    return nullptr;
}

} // namespace

SceneState::SceneState(QObject *parent) : QObject(parent)
{
    for (int i = 0; i < shed::LayerCount; ++i) {
        faceGeometry[i] = new MeshGeometry(MeshGeometry::Kind::Faces);
        flatFaceGeometry[i] = new MeshGeometry(MeshGeometry::Kind::FlatFaces);
        plainFaceGeometry[i] = new MeshGeometry(MeshGeometry::Kind::PlainFaces);
        edgeGeometry[i] = new MeshGeometry(MeshGeometry::Kind::Edges);
        frontEdgeGeometry[i] = new MeshGeometry(MeshGeometry::Kind::Edges);
        for (MeshGeometry *g :
             {faceGeometry[i], flatFaceGeometry[i], plainFaceGeometry[i], edgeGeometry[i], frontEdgeGeometry[i]})
            g->setParent(this);
    }
}

QColor SceneState::background() const
{
    // Hidden-line faces are painted in this colour, so the line modes keep paper white.
    return shading_ <= int(shed::Shading::HiddenLine) ? QColor(Qt::white) : QColor(0xdf, 0xe6, 0xec);
}

QVector3D SceneState::eyeDirection() const
{
    const float y = radians(yaw), p = radians(pitch);
    return QVector3D(-std::sin(y) * std::cos(p), std::sin(p), -std::cos(y) * std::cos(p));
}

QVector3D SceneState::cameraPosition() const { return target + eyeDirection() * distance; }

QQuaternion SceneState::cameraRotation() const
{
    // The camera looks down its -Z; its +Z is the eye direction.
    return QQuaternion::fromDirection(eyeDirection(), QVector3D(0, 1, 0));
}

// A depth range hugging the model keeps the hidden-line faces' small inset resolvable.
float SceneState::clipNear() const
{
    const float eye = (cameraPosition() - sceneCentre).length();
    return std::max(1.0f, eye - sceneRadius * 1.1f);
}
float SceneState::clipFar() const { return (cameraPosition() - sceneCentre).length() + sceneRadius * 1.1f + 10; }

QQuick3DGeometry *SceneState::faces(int layer) const
{
    return layer >= 0 && layer < shed::LayerCount ? faceGeometry[layer] : nullptr;
}

QQuick3DGeometry *SceneState::flatFaces(int layer) const
{
    return layer >= 0 && layer < shed::LayerCount ? flatFaceGeometry[layer] : nullptr;
}

QQuick3DGeometry *SceneState::plainFaces(int layer) const
{
    return layer >= 0 && layer < shed::LayerCount ? plainFaceGeometry[layer] : nullptr;
}

QQuick3DGeometry *SceneState::edges(int layer) const
{
    return layer >= 0 && layer < shed::LayerCount ? edgeGeometry[layer] : nullptr;
}

QQuick3DGeometry *SceneState::frontEdges(int layer) const
{
    return layer >= 0 && layer < shed::LayerCount ? frontEdgeGeometry[layer] : nullptr;
}

// A quarter of a member's edges are behind its own faces; in hidden line they only cost
// rasterising (lines are most of that mode's frame on a software renderer).
void SceneState::updateFrontEdges()
{
    if (shading_ != int(shed::Shading::HiddenLine))
        return;
    const QVector3D eye = cameraPosition();
    for (int i = 0; i < shed::LayerCount; ++i)
        if (layerMask_ & (1u << i))
            frontEdgeGeometry[i]->setLines(frontEdgeIndices(meshes[i], eye, layerMask_));
}

void SceneState::notify()
{
    updateFrontEdges();
    Q_EMIT changed();
}

void SceneState::notifyCamera()
{
    updateFrontEdges();
    Q_EMIT cameraChanged();
}

ModelView3D::ModelView3D(QWidget *parent) : QWidget(parent), state_(std::make_unique<SceneState>())
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);

    auto *bar = new QHBoxLayout;
    modeBox_ = new QComboBox(this);
    modeBox_->setObjectName(QStringLiteral("shadingMode"));
    modeBox_->addItems({tr("Wireframe"), tr("Hidden line"), tr("Flat"), tr("Smooth")});
    modeBox_->setToolTip(tr("Shading mode"));
    modeBox_->setAccessibleName(tr("Shading mode"));
    // On Linux a screen reader names a combo box by its label, not its accessible name.
    auto *modeLabel = new QLabel(tr("&Shading:"), this);
    modeLabel->setBuddy(modeBox_);
    bar->addWidget(modeLabel);
    connect(modeBox_, &QComboBox::activated, this, [this](int i) { setShading(shed::Shading(i + 1)); });
    bar->addWidget(modeBox_);
    auto *fit = new QToolButton(this);
    fit->setText(tr("Fit"));
    fit->setToolTip(tr("Fit the visible layers to the view"));
    connect(fit, &QToolButton::clicked, this, &ModelView3D::fitToView);
    bar->addWidget(fit);
    bar->addStretch(1);
    layout->addLayout(bar);

    // The presets on a row of their own, and the layers on three: on one row they would
    // hold the view, and the splitter beside it, wider than the tables can spare.
    auto *presetBar = new QHBoxLayout;
    const std::pair<ViewPreset, QString> presets[] = {
        {ViewPreset::Front, tr("Front")}, {ViewPreset::Back, tr("Back")}, {ViewPreset::Left, tr("Left")},
        {ViewPreset::Right, tr("Right")}, {ViewPreset::Top, tr("Top")}, {ViewPreset::ThreeQuarter, tr("3/4")}};
    for (const auto &[preset, name] : presets) {
        auto *b = new QToolButton(this);
        b->setText(name);
        b->setToolTip(tr("View from the %1").arg(name.toLower()));
        connect(b, &QToolButton::clicked, this, [this, p = preset] { setPreset(p); });
        presetBar->addWidget(b);
    }
    presetBar->addStretch(1);
    layout->addLayout(presetBar);

    auto *layers = new QGridLayout;
    constexpr int LayerRows = 3;
    constexpr int LayersPerRow = (shed::LayerCount + LayerRows - 1) / LayerRows;
    for (int i = 0; i < shed::LayerCount; ++i) {
        auto *box = new QCheckBox(capitalised(shed::layerName(shed::Layer(i))), this);
        box->setChecked(true);
        connect(box, &QCheckBox::toggled, this, [this, i](bool on) { setLayerVisible(shed::Layer(i), on); });
        layerBoxes_[i] = box;
        layers->addWidget(box, i / LayersPerRow, i % LayersPerRow);
    }
    layers->setColumnStretch(LayersPerRow, 1);
    layout->addLayout(layers);

    // A window of its own in a container: it renders and swaps directly, where a
    // QQuickWidget would render to a texture and composite the whole window each frame
    // (measured: about half the frame rate on Mesa's software renderer).
    quick_ = new QQuickView;
    quick_->setResizeMode(QQuickView::SizeRootObjectToView);
    quick_->setColor(state_->background());
    quick_->rootContext()->setContextProperty(QStringLiteral("scene"), state_.get());
    quick_->setSource(QUrl(QStringLiteral("qrc:/corvelle/view3d/Scene.qml")));
    quick_->installEventFilter(this);
    static const bool accessibleInstalled = (QAccessible::installFactory(sceneAccessible), true);
    Q_UNUSED(accessibleInstalled);
    frame_ = new SceneFrame(this);
    frame_->setAccessibleName(tr("3D view"));
    frame_->setAccessibleDescription(keyHelp());
    frame_->setToolTip(keyHelp());
    auto *frameLayout = new QVBoxLayout(frame_);
    frameLayout->setContentsMargins(0, 0, 0, 0); // the frame's own margins hold the focus colour
    container_ = QWidget::createWindowContainer(quick_, frame_);
    container_->setMinimumSize(320, 240);
    container_->setFocusPolicy(Qt::NoFocus);
    frameLayout->addWidget(container_);
    connect(quick_, &QQuickWindow::frameSwapped, this, &ModelView3D::frameShown, Qt::QueuedConnection);
    layout->addWidget(frame_, 1);

    info_ = new QLabel(tr("Click a member to see what it is."), this);
    info_->setObjectName(QStringLiteral("memberInfo"));
    info_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(info_);
    modeBox_->setCurrentIndex(state_->shading_ - 1);
}

ModelView3D::~ModelView3D()
{
    delete container_; // the scene (its window) goes before the geometry it draws
}

void ModelView3D::setModel(const shed::Model &model)
{
    model_ = model;
    marks_ = shed::partMarks(model_).ofMember;
    warned_.clear();
    picked_ = -2;
    uploadMeshes();
    Bounds all;
    for (const LayerMesh &mesh : state_->meshes)
        all.add(Bounds{mesh.min, mesh.max});
    state_->sceneCentre = all.centre();
    state_->sceneRadius = std::max(1.0f, all.radius());
    fitToView();
}

void ModelView3D::setWarnedMembers(const QList<int> &members)
{
    const QSet<int> warned(members.begin(), members.end());
    if (warned == warned_)
        return;
    warned_ = warned;
    uploadMeshes();
    state_->updateFrontEdges();
    state_->notify();
}

void ModelView3D::uploadMeshes()
{
    state_->meshes = buildLayerMeshes(model_, warned_);
    const auto &meshes = state_->meshes;
    for (int i = 0; i < shed::LayerCount; ++i) {
        state_->faceGeometry[i]->setMesh(meshes[i]);
        state_->flatFaceGeometry[i]->setMesh(meshes[i]);
        state_->plainFaceGeometry[i]->setMesh(meshes[i]);
        state_->edgeGeometry[i]->setMesh(meshes[i]);
        state_->frontEdgeGeometry[i]->setMesh(meshes[i]);
    }
}

void ModelView3D::setShading(shed::Shading shading)
{
    const int mode = std::clamp(int(shading), 1, 4);
    state_->shading_ = mode;
    modeBox_->setCurrentIndex(mode - 1);
    quick_->setColor(state_->background()); // the scene draws under the window's clear
    state_->notify();
}

void ModelView3D::setLayerVisible(shed::Layer layer, bool visible)
{
    const unsigned bit = 1u << int(layer);
    state_->layerMask_ = visible ? (state_->layerMask_ | bit) : (state_->layerMask_ & ~bit);
    QCheckBox *box = layerBoxes_[int(layer)];
    if (box->isChecked() != visible) {
        const QSignalBlocker block(box);
        box->setChecked(visible);
    }
    state_->notify();
}

bool ModelView3D::isLayerVisible(shed::Layer layer) const { return state_->layerMask_ & (1u << int(layer)); }

void ModelView3D::setPreset(ViewPreset preset)
{
    // A wall's preset looks from where a person facing that wall from outside stands.
    const auto fromOutside = [this](shed::Wall wall) {
        const QVector3D n = shed::outward(wall);
        state_->yaw = std::fmod(float(qRadiansToDegrees(std::atan2(-n.x(), -n.z()))) + 360.0f, 360.0f);
        state_->pitch = 0;
    };
    switch (preset) {
    case ViewPreset::Front: fromOutside(shed::Wall::Front); break;
    case ViewPreset::Back: fromOutside(shed::Wall::Rear); break;
    case ViewPreset::Left: fromOutside(shed::Wall::Left); break;
    case ViewPreset::Right: fromOutside(shed::Wall::Right); break;
    case ViewPreset::Top:
        state_->yaw = 0;
        state_->pitch = MaxPitch;
        break;
    case ViewPreset::ThreeQuarter:
        state_->yaw = 35;
        state_->pitch = 25;
        break;
    }
    fitToView();
}

Bounds ModelView3D::visibleBounds() const
{
    Bounds b;
    for (int i = 0; i < shed::LayerCount; ++i)
        if (state_->layerMask_ & (1u << i)) {
            const MeshGeometry *g = state_->faceGeometry[i];
            if (g->vertexData().isEmpty())
                continue;
            b.add(g->boundsMin());
            b.add(g->boundsMax());
        }
    return b;
}

void ModelView3D::fitToView()
{
    Bounds b = visibleBounds();
    if (b.isEmpty()) {
        for (const shed::Member &m : model_.members)
            b.add(memberBounds(m));
    }
    if (b.isEmpty())
        return;
    // The distance at which every corner of the visible bounds is inside the view.
    const float aspect = quick_->height() > 0 ? float(quick_->width()) / float(quick_->height()) : 1.0f;
    const float tanV = std::tan(radians(state_->fieldOfView() / 2)), tanH = tanV * aspect;
    state_->target = b.centre();
    const QQuaternion r = state_->cameraRotation();
    const QVector3D right = r.rotatedVector({1, 0, 0}), up = r.rotatedVector({0, 1, 0}), back = state_->eyeDirection();
    float distance = 1;
    for (int i = 0; i < 8; ++i) {
        const QVector3D c((i & 1) ? b.max.x() : b.min.x(), (i & 2) ? b.max.y() : b.min.y(),
                          (i & 4) ? b.max.z() : b.min.z());
        const QVector3D d = c - state_->target;
        const float z = QVector3D::dotProduct(d, back);
        distance = std::max({distance, z + std::abs(QVector3D::dotProduct(d, right)) / tanH,
                             z + std::abs(QVector3D::dotProduct(d, up)) / tanV});
    }
    state_->distance = distance * 1.08f;
    state_->notifyCamera();
}

void ModelView3D::orbit(float dYaw, float dPitch)
{
    state_->yaw = std::fmod(state_->yaw + dYaw + 360.0f, 360.0f);
    state_->pitch = std::clamp(state_->pitch + dPitch, -MaxPitch, MaxPitch);
    state_->notifyCamera();
}

void ModelView3D::pan(QPointF pixels)
{
    const QQuaternion r = state_->cameraRotation();
    const float perPixel = 2 * state_->distance * std::tan(radians(state_->fieldOfView() / 2)) /
                           float(std::max(1, quick_->height()));
    state_->target += (r.rotatedVector({-1, 0, 0}) * float(pixels.x()) + r.rotatedVector({0, 1, 0}) * float(pixels.y())) *
                      perPixel;
    state_->notifyCamera();
}

void ModelView3D::zoom(float factor)
{
    state_->distance = std::clamp(state_->distance * factor, 12.0f, 50000.0f);
    state_->notifyCamera();
}

std::optional<int> ModelView3D::memberAt(QPointF point) const
{
    const float w = float(std::max(1, quick_->width())), h = float(std::max(1, quick_->height()));
    const float x = 2 * float(point.x()) / w - 1, y = 1 - 2 * float(point.y()) / h;
    const float t = std::tan(radians(state_->fieldOfView() / 2));
    const QQuaternion r = state_->cameraRotation();
    const QVector3D dir = r.rotatedVector({0, 0, -1}) + r.rotatedVector({1, 0, 0}) * (x * t * w / h) +
                          r.rotatedVector({0, 1, 0}) * (y * t);
    return pickMember(model_, state_->cameraPosition(), dir.normalized(), state_->layerMask_);
}

void ModelView3D::pick(QPointF point)
{
    const std::optional<int> hit = memberAt(point);
    describe(hit.value_or(-1));
    Q_EMIT memberPicked(hit.value_or(-1));
}

void ModelView3D::describe(int index)
{
    picked_ = index;
    if (index < 0 || index >= model_.members.size()) {
        info_->setText(tr("Nothing there: click a member to see what it is."));
        return;
    }
    const shed::Member &m = model_.members[index];
    const shed::Units &u = units_;
    // Named as the plans and the cut list name it: "Stud W3".
    const QString name = marks_.value(index).isEmpty() ? capitalised(shed::kindName(m.kind))
                                                       : capitalised(shed::kindName(m.kind)) + u' ' + marks_[index];
    QString text = tr("%1 (%2 layer): %3").arg(name, shed::layerName(m.layer), u.stock(m.stock));
    if (shed::isLumber(m) && m.vCut)
        text += tr(", cut length %1, foot square, head a V of %2° and %3°")
                    .arg(u.length(m.length))
                    .arg(m.angle1, 0, 'f', 1)
                    .arg(m.angle2, 0, 'f', 1);
    else if (shed::isLumber(m))
        text += tr(", cut length %1, ends %2° and %3°").arg(u.length(m.length)).arg(m.angle1).arg(m.angle2);
    else if (shed::isSheet(m) && m.length > 0)
        text += tr(", piece %1").arg(u.size(m.length, m.width));
    else
        text += tr(", %1").arg(u.size(m.size.x(), m.size.y(), m.size.z()));
    if (pickNote_) {
        const QString note = pickNote_(index);
        if (!note.isEmpty())
            text += QStringLiteral(". ") + note;
    }
    info_->setText(text);
}

void ModelView3D::setUnits(shed::Units units)
{
    units_ = units;
    if (picked_ != -2)
        describe(picked_);
}

QString ModelView3D::pickedText() const { return info_->text(); }

QString ModelView3D::keyHelp()
{
    return tr("Arrow keys turn the shed, Shift with the arrow keys pans, + and - zoom, Home fits it to the view, "
              "1 to 4 choose the shading mode, Enter describes the member at the centre.");
}

QWidget *ModelView3D::focusTarget() const { return frame_; }

QWindow *ModelView3D::sceneWindow() const { return quick_; }

QString ModelView3D::describeCentre()
{
    pick(QPointF(quick_->width() / 2.0, quick_->height() / 2.0));
    // Said by a screen reader as the focused view's new description.
    frame_->setAccessibleDescription(info_->text());
    QAccessibleEvent event(frame_, QAccessible::DescriptionChanged);
    QAccessible::updateAccessibility(&event);
    return info_->text();
}

bool ModelView3D::handleKey(QKeyEvent *event)
{
    const bool shift = event->modifiers() & Qt::ShiftModifier;
    if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    switch (event->key()) {
    case Qt::Key_Left:
        shift ? pan({-KeyPanPixels, 0}) : orbit(KeyOrbitDegrees, 0);
        return true;
    case Qt::Key_Right:
        shift ? pan({KeyPanPixels, 0}) : orbit(-KeyOrbitDegrees, 0);
        return true;
    case Qt::Key_Up:
        shift ? pan({0, -KeyPanPixels}) : orbit(0, KeyOrbitDegrees);
        return true;
    case Qt::Key_Down:
        shift ? pan({0, KeyPanPixels}) : orbit(0, -KeyOrbitDegrees);
        return true;
    case Qt::Key_Plus:
    case Qt::Key_Equal: // + unshifted on most layouts
        zoom(WheelStep);
        return true;
    case Qt::Key_Minus:
        zoom(1 / WheelStep);
        return true;
    case Qt::Key_Home:
        fitToView();
        return true;
    case Qt::Key_1:
    case Qt::Key_2:
    case Qt::Key_3:
    case Qt::Key_4:
        setShading(shed::Shading(event->key() - Qt::Key_0));
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        describeCentre();
        return true;
    default:
        return false;
    }
}

QImage ModelView3D::renderImage() { return quick_->grabWindow(); }

QImage ModelView3D::grabWithScenes(QWidget *widget)
{
    QImage image = widget->grab().toImage();
    QPainter p(&image);
    for (ModelView3D *view : widget->findChildren<ModelView3D *>())
        if (view->isVisible())
            p.drawImage(view->container_->mapTo(widget, QPoint(0, 0)), view->renderImage());
    return image;
}

void ModelView3D::requestFrame() { quick_->update(); }

bool ModelView3D::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != quick_)
        return QWidget::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::KeyPress:
        // The platform may give the scene's window the keyboard on a click: the keys go
        // to the view's frame, so Tab still leaves the view.
        frame_->setFocus(Qt::OtherFocusReason);
        QCoreApplication::sendEvent(frame_, event);
        return true;
    case QEvent::KeyRelease:
        return true; // after a Tab the focus is elsewhere: the release must not bring it back
    case QEvent::MouseButtonPress: {
        auto *e = static_cast<QMouseEvent *>(event);
        frame_->setFocus(Qt::MouseFocusReason);
        pressPos_ = lastPos_ = e->position().toPoint();
        dragged_ = false;
        return true;
    }
    case QEvent::MouseMove: {
        auto *e = static_cast<QMouseEvent *>(event);
        const QPoint pos = e->position().toPoint();
        if ((pos - pressPos_).manhattanLength() > ClickSlopPixels)
            dragged_ = true;
        const QPoint d = pos - lastPos_;
        lastPos_ = pos;
        if (!dragged_)
            return true;
        const bool panning = (e->buttons() & (Qt::RightButton | Qt::MiddleButton)) ||
                             (e->modifiers() & Qt::ShiftModifier);
        if (panning)
            pan(d);
        else if (e->buttons() & Qt::LeftButton)
            orbit(-d.x() * OrbitDegreesPerPixel, d.y() * OrbitDegreesPerPixel);
        return true;
    }
    case QEvent::MouseButtonRelease: {
        auto *e = static_cast<QMouseEvent *>(event);
        if (!dragged_ && e->button() == Qt::LeftButton)
            pick(e->position());
        return true;
    }
    case QEvent::Wheel: {
        auto *e = static_cast<QWheelEvent *>(event);
        zoom(std::pow(WheelStep, e->angleDelta().y() / 120.0f));
        return true;
    }
    default:
        return QWidget::eventFilter(watched, event);
    }
}

} // namespace corvelle::view3d

#include "ModelView3D.moc"
