// SPDX-License-Identifier: GPL-3.0-or-later
#include "helptopics.h"

QString HelpTopic::stepPictureName(int step) const
{
    return QStringLiteral("%1_%2").arg(imageName).arg(step);
}

QStringList HelpTopics::rowTitles()
{
    return {tr("如何添加灯光或者窗帘"), tr("如何删除已添加的设备"), tr("如何自定义场景"),
            tr("如何编辑场景"), tr("Installation Guide")};
}

HelpTopic HelpTopics::topic(int row)
{
    const QStringList titles = rowTitles();
    switch (row) {
    case AddDevice:
        return {titles.at(row),
                tr("addDevice"),
                tr("三种方法进入二维码扫描页面"),
                {tr("方法一:点击主页右上角的“扫描”图标"),
                 tr("方法二:在主页点击相应的设备类型(灯光或窗帘)图标,在显示的页面中点击右上角的“+"
                    "”按键"),
                 tr("方法三:在主页点击列表图标,在显示的系统配置页面中选择“设备管理”,点击右上角的“+"
                    "”按键")}};
    case DeleteDevice:
        return {titles.at(row),
                tr("deleteDevice"),
                tr("在主页点击列表图标,在显示的系统配置页面选择“设备管理”,向右滑动目标设备,"
                   "点击垃圾桶图标删除该设备"),
                {tr("第一步"), tr("第二步"), tr("第三步")}};
    case SetScenario:
        return {titles.at(row),
                tr("setScenario"),
                QString(),
                {tr("第一步:在主页点击场景图标,进入场景列表"),
                 tr("第二步:点击右上角的“+”进入设备列表,选择设备并设置设备状态,点击“下一步”"),
                 tr("第三步:设置场景名称,创建场景图标,完成")}};
    case EditScenario:
        return {titles.at(row),
                tr("editScenario"),
                QString(),
                {tr("第一步:在主页点击场景图标,进入场景列表"),
                 tr("第二步:在显示的场景列表中向右滑动目标场景"),
                 tr("第三步:点击垃圾桶图标可删除场景,点击铅笔图标可编辑场景")}};
    default:
        return {};
    }
}
