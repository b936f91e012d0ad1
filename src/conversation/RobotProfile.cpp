#include "conversation/RobotProfile.h"

#include <QStringList>

RobotProfile RobotProfile::builtIn()
{
    // Kept as one bar-separated line, the way the profile was first written down.
    const QStringList fields = QStringLiteral("|阿木|公的,帅哥|08年8月诞生|地球村,中国|lanke42|"
                                              "我天生比较聪明,只要你教过我的东西,我一定会记住的!|"
                                              "8264097hds 和 yunxiaoke")
                                   .split(u'|');
    return {fields.at(1), fields.at(2), fields.at(3), fields.at(4),
            fields.at(5), fields.at(6), fields.at(7)};
}
