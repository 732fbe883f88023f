#pragma once

#include <QColor>
#include <QImage>
#include <QList>
#include <QSize>
#include <QStringList>

// Images of one size looked up by key. The mask colour of each added
// image becomes transparent.
class ImageList
{
public:
    explicit ImageList(QSize imageSize = QSize(16, 16), QColor maskColor = QColor(192, 192, 192));

    // Throws RuntimeError for a duplicate key or an image of another size.
    void add(const QString &key, const QImage &image);
    // Throws RuntimeError for an unknown key.
    QImage image(const QString &key) const;

    int count() const { return static_cast<int>(m_keys.size()); }
    QStringList keys() const { return m_keys; }
    QSize imageSize() const { return m_size; }
    QColor maskColor() const { return m_mask; }

private:
    QSize m_size;
    QColor m_mask;
    QStringList m_keys;
    QList<QImage> m_images;
};
