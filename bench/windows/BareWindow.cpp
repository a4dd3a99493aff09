// The yardstick of the calculator's start-up: a bare Qt Widgets program with one window,
// a menu bar, a status bar and 40 push buttons.
#include <QApplication>
#include <QGridLayout>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QMainWindow window;
  window.setWindowTitle("Bare");
  for (const char* title : {"&Edit", "&View", "&About"}) {
    QMenu* menu = window.menuBar()->addMenu(title);
    menu->addAction("&One");
    menu->addAction("&Two");
  }
  auto* keys = new QWidget(&window);
  auto* grid = new QGridLayout(keys);
  for (int i = 0; i < 40; ++i)
    grid->addWidget(new QPushButton(QString::number(i), keys), i / 8, i % 8);
  window.setCentralWidget(keys);
  window.statusBar()->showMessage("Ready");
  window.show();
  return application.exec();
}
