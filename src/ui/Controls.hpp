// Control arrays: several controls share one objectName and carry their
// index in the "index" property (Option_Sus_Type(0..4), Option1(0..3), ...).
#pragma once

#include <QObject>
#include <QString>
#include <QVariant>

namespace potelan {

inline constexpr char kIndexProperty[] = "index";

inline void SetControlIndex(QObject& control, const QString& name, int index) {
  control.setObjectName(name);
  control.setProperty(kIndexProperty, index);
}

template <class T>
T* FindIndexed(const QObject& parent, const QString& name, int index) {
  for (T* child : parent.findChildren<T*>(name)) {
    if (child->property(kIndexProperty).toInt() == index) return child;
  }
  return nullptr;
}

}  // namespace potelan
