#pragma once

#include <QHeaderView>
#include <QStringList>

class QStandardItemModel;

namespace slanter {

// A header control of its own, not the head of a table: a row of sections with captions
// that the user can widen and narrow by their dividers but not click. The form file names
// the captions.
class HeaderControl : public QHeaderView {
    Q_OBJECT
    Q_PROPERTY(QStringList sections READ Sections WRITE SetSections)

  public:
    explicit HeaderControl(QWidget* parent = nullptr);

    QStringList Sections() const;
    // As many sections as captions, each as wide as it was or 50 when it is new.
    void SetSections(const QStringList& captions);
    void SetSectionCaption(int section, const QString& caption);

  private:
    QStandardItemModel* captions_; // owned as a child
};

} // namespace slanter
