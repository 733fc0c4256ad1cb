-- Demo: members of the integrated member base, with one on the black list
-- and one who owes fees.
--   1071234500 한서윤   full member, card issued twice (the first card is void)
--   1072345600 강하람   full member
--   1073456700 임세아   officer: no discount at the lift
--   1074567800 오지석   black list: sports facilities stopped
--   1075678900 백도현   overdue membership fees
--   1076789000 송다온   special member: sold to after checking who it is
--   1077890100 장시우   cancelled
--   1078901200 권나래   child member (valid from last year)
--   1079012300 남궁율   employee (card only)

INSERT INTO member (member_no, member_name, card_issue_count, id_no, member_code, guest_type, valid_from, valid_to,
                    cancel_date)
VALUES
    ('1071234500', '한서윤', 2, '8309252063175', '11', '010', '20200301', '20291231', NULL),
    ('1072345600', '강하람', 1, '7804121045210', '11', '020', '20190101', '20281231', NULL),
    ('1073456700', '임세아', 1, '6508181233095', '13', '010', '20150101', '20301231', NULL),
    ('1074567800', '오지석', 1, '9103071158402', '11', '020', '20210101', '20301231', NULL),
    ('1075678900', '백도현', 1, '8811292155247', '11', '020', '20180101', '20271231', NULL),
    ('1076789000', '송다온', 1, '7502031766421', '11', '010', '20160101', '20301231', NULL),
    ('1077890100', '장시우', 1, '9907162240352', '11', '020', '20200101', '20291231', '20230930'),
    ('1078901200', '권나래', 1, '0206114312089', '12', '020', '20230101', '20301231', NULL),
    ('1079012300', '남궁율', 1, '', '21', '100', '20220101', '20991231', NULL)
ON CONFLICT DO NOTHING;

INSERT INTO member_black_list (member_no, black_kind, reason) VALUES
    ('1074567800', 'Y', '카드 분실 신고 (재발급 대기)'),
    ('1076789000', 'L', '')
ON CONFLICT DO NOTHING;

INSERT INTO member_overdue (member_no, overdue_from, amount)
VALUES ('1075678900', to_char(current_date - 45, 'YYYYMMDD'), 330000)
ON CONFLICT DO NOTHING;

INSERT INTO dc_limit (upjang_code, member_code) VALUES ('5001', '13')
ON CONFLICT DO NOTHING;
